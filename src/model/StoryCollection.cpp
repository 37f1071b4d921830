#include "model/StoryCollection.h"

#include "model/TitleHash.h"
#include "platform/ProgramError.h"

#include <limits>

namespace {

qsizetype SharedPrefixLength(const QString& a, const QString& b) {
    const qsizetype limit = std::min(a.size(), b.size());
    qsizetype n = 0;
    while (n < limit && a[n] == b[n])
        ++n;
    return n;
}

} // namespace

Story& StoryCollection::Add(const QString& strTitle, const QString& strDescription,
                            const QString& strPartialURL, const Date& Time, Integer nComments,
                            bool bNewStory) {
    if (m_stories.size() >= static_cast<std::size_t>(std::numeric_limits<Integer>::max()))
        throw ProgramError(QStringLiteral("too many stories"));
    Story& story = m_stories.emplace_back();
    story.Title = strTitle;
    story.Description = strDescription;
    story.TitleHash = TitleHash(strTitle);
    story.PartialURL = strPartialURL;
    story.Time = Time;
    story.Comments = nComments;
    story.NewStory = bNewStory;
    return story;
}

std::size_t StoryCollection::Offset(Integer nIndex) const {
    if (nIndex < 1 || nIndex > Count())
        throw ProgramError(QStringLiteral("no story at position %1").arg(nIndex));
    return static_cast<std::size_t>(nIndex - 1);
}

Story& StoryCollection::Item(Integer nIndex) {
    return m_stories[Offset(nIndex)];
}

const Story& StoryCollection::Item(Integer nIndex) const {
    return m_stories[Offset(nIndex)];
}

void StoryCollection::Remove(Integer nIndex) {
    m_stories.erase(m_stories.begin() + static_cast<std::ptrdiff_t>(Offset(nIndex)));
}

Integer StoryCollection::FindStoryByTitle(const QString& strTitle) const {
    const qint32 hash = TitleHash(strTitle);
    for (std::size_t i = 0; i < m_stories.size(); ++i) {
        const Story& story = m_stories[i];
        if (story.TitleHash == hash && story.Title == strTitle)
            return static_cast<Integer>(i + 1);
    }
    return -1;
}

QString StoryCollection::ItemURL(Integer nIndex) const {
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
