#pragma once

#include "model/StoryCollection.h"

#include <QStringList>

// The titles of `stories` in their order: what a reader sees of a list.
inline QStringList StoryTitles(const StoryCollection& stories) {
    QStringList titles;
    for (qsizetype index = 1; index <= stories.Count(); ++index)
        titles.append(stories.Item(index).Title);
    return titles;
}
