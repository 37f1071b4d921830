#pragma once

#include "model/Story.h"
#include "platform/Types.h"

#include <QString>

#include <vector>

// The stories of one load of one provider, in feed order, at positions
// 1 ... Count. After Compress the links' common prefix is stored once.
class StoryCollection {
public:
    // Archives and aggregated feeds in the wild reach tens of thousands of
    // items; all of them are kept. Past this many, a feed is a mistake or an
    // attack rather than reading matter, and at a few hundred bytes a story
    // the list, its title index and the article grid would otherwise grow
    // with whatever one document holds.
    static constexpr qsizetype MaximumStories = 100'000;

    // Appends a story; its TitleHash is computed from `title`. A full
    // collection (MaximumStories) refuses it: false, nothing stored, and
    // Overflowed says so from then on.
    bool Add(const QString& title, const QString& description, const QString& partialURL,
             const Date& time, Integer comments, bool newStory);
    bool IsFull() const { return Count() >= MaximumStories; }
    // Stories were refused for want of room.
    bool Overflowed() const { return m_overflowed; }

    // Positions outside 1 ... Count throw ProgramError.
    Story& Item(qsizetype index);
    const Story& Item(qsizetype index) const;
    qsizetype Count() const { return static_cast<qsizetype>(m_stories.size()); }
    void Remove(qsizetype index);

    // The first story whose title is exactly `title` (letter case matters),
    // or -1.
    qsizetype FindStoryByTitle(const QString& title) const;

    // The full link of a story: the common prefix followed by its PartialURL.
    QString ItemURL(qsizetype index) const;

    // Moves the longest prefix all links share out of the stories into the
    // collection. Meant to run once, after the last Add.
    void Compress();
    const QString& CommonPrefix() const { return m_commonPrefix; }

    // The collection stands in for the stories of the provider's last run
    // until they are read from where they are kept.
    bool StoredStoriesPending() const { return m_storedStoriesPending; }
    void SetStoredStoriesPending(bool pending) { m_storedStoriesPending = pending; }

    auto begin() { return m_stories.begin(); }
    auto end() { return m_stories.end(); }
    auto begin() const { return m_stories.begin(); }
    auto end() const { return m_stories.end(); }

private:
    std::size_t Offset(qsizetype index) const;

    std::vector<Story> m_stories;
    QString m_commonPrefix;
    bool m_overflowed = false;
    bool m_storedStoriesPending = false;
};
