#pragma once

#include "platform/Date.h"
#include "platform/Types.h"

#include <QString>

// One headline of a provider's latest load.
struct Story {
    // Hash of Title (see TitleHash), kept in step by StoryCollection::Add.
    qint32 TitleHash = 0;
    // Comment count the feed reports; 0 when the format has none.
    Integer Comments = 0;
    Date Time;
    // The link; after StoryCollection::Compress, only what follows the
    // collection's common prefix.
    QString PartialURL;
    QString Title;
    QString Description;
    // The title was not among the previous load's titles.
    bool NewStory = false;
    // The user has opened it, in this run or an earlier one.
    bool Opened = false;
};
