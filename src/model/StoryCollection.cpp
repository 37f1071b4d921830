#include "model/StoryCollection.h"

#include "model/TitleHash.h"
#include "platform/ProgramError.h"

#include <algorithm>

namespace {

qsizetype SharedPrefixLength(const QString& a, const QString& b) {
    const qsizetype limit = std::min(a.size(), b.size());
    qsizetype n = 0;
    while (n < limit && a[n] == b[n])
        ++n;
    return n;
}

} // namespace

bool StoryCollection::Add(const QString& strTitle, const QString& strDescription,
                          const QString& strPartialURL, const Date& Time, Integer nComments,
                          bool bNewStory) {
    if (IsFull()) {
        m_overflowed = true;
        return false;
    }
    Story& story = m_stories.emplace_back();
    story.Title = strTitle;
    story.Description = strDescription;
    story.TitleHash = TitleHash(strTitle);
    story.PartialURL = strPartialURL;
    story.Time = Time;
    story.Comments = nComments;
    story.NewStory = bNewStory;
    return true;
}

std::size_t StoryCollection::Offset(qsizetype nIndex) const {
    if (nIndex < 1 || nIndex > Count())
        throw ProgramError(QStringLiteral("no story at position %1").arg(nIndex));
    return static_cast<std::size_t>(nIndex - 1);
}

Story& StoryCollection::Item(qsizetype nIndex) {
    return m_stories[Offset(nIndex)];
}

const Story& StoryCollection::Item(qsizetype nIndex) const {
    return m_stories[Offset(nIndex)];
}

void StoryCollection::Remove(qsizetype nIndex) {
    m_stories.erase(m_stories.begin() + static_cast<std::ptrdiff_t>(Offset(nIndex)));
}

qsizetype StoryCollection::FindStoryByTitle(const QString& strTitle) const {
    const qint32 hash = TitleHash(strTitle);
    const auto found = std::find_if(m_stories.begin(), m_stories.end(), [&](const Story& story) {
        return story.TitleHash == hash && story.Title == strTitle;
    });
    return found == m_stories.end() ? -1 : found - m_stories.begin() + 1;
}

QString StoryCollection::ItemURL(qsizetype nIndex) const {
    return m_commonPrefix + Item(nIndex).PartialURL;
}

void StoryCollection::Compress() {
    if (m_stories.empty())
        return;
    QString prefix = m_stories.front().PartialURL;
    for (const Story& story : m_stories)
        prefix.truncate(SharedPrefixLength(prefix, story.PartialURL));
    for (Story& story : m_stories)
        story.PartialURL.remove(0, prefix.size());
    m_commonPrefix += prefix;
}
