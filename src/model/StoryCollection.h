#pragma once

#include "model/Story.h"
#include "platform/Types.h"

#include <QString>

#include <vector>

// The stories of one load of one provider, in feed order, at positions
// 1 ... Count. After Compress the links' common prefix is stored once.
class StoryCollection {
public:
    // Appends a story; its TitleHash is computed from strTitle. Throws
    // ProgramError when the collection is full (32767 stories).
    Story& Add(const QString& strTitle, const QString& strDescription, const QString& strPartialURL,
               const Date& Time, Integer nComments, bool bNewStory);

    // Positions outside 1 ... Count throw ProgramError.
    Story& Item(Integer nIndex);
    const Story& Item(Integer nIndex) const;
    Integer Count() const { return static_cast<Integer>(m_stories.size()); }
    void Remove(Integer nIndex);

    // The first story whose title is exactly strTitle (letter case matters),
    // or -1.
    Integer FindStoryByTitle(const QString& strTitle) const;

    // The full link of a story: the common prefix followed by its PartialURL.
    QString ItemURL(Integer nIndex) const;

    // Moves the longest prefix all links share out of the stories into the
    // collection. Meant to run once, after the last Add.
    void Compress();
    const QString& CommonPrefix() const { return m_commonPrefix; }

    auto begin() { return m_stories.begin(); }
    auto end() { return m_stories.end(); }
    auto begin() const { return m_stories.begin(); }
    auto end() const { return m_stories.end(); }

private:
    std::size_t Offset(Integer nIndex) const;

    std::vector<Story> m_stories;
    QString m_commonPrefix;
};
