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

bool StoryCollection::Add(const QString& title, const QString& description,
                          const QString& partialURL, const Date& time, Integer comments,
                          bool newStory) {
    if (IsFull()) {
        m_overflowed = true;
        return false;
    }
    Story& story = m_stories.emplace_back();
    story.Title = title;
    story.Description = description;
    story.TitleHash = TitleHash(title);
    story.PartialURL = partialURL;
    story.Time = time;
    story.Comments = comments;
    story.NewStory = newStory;
    return true;
}

std::size_t StoryCollection::Offset(qsizetype index) const {
    if (index < 1 || index > Count())
        throw ProgramError(QStringLiteral("no story at position %1").arg(index));
    return static_cast<std::size_t>(index - 1);
}

Story& StoryCollection::Item(qsizetype index) {
    return m_stories[Offset(index)];
}

const Story& StoryCollection::Item(qsizetype index) const {
    return m_stories[Offset(index)];
}

void StoryCollection::Remove(qsizetype index) {
    m_stories.erase(m_stories.begin() + static_cast<std::ptrdiff_t>(Offset(index)));
}

qsizetype StoryCollection::FindStoryByTitle(const QString& title) const {
    const qint32 hash = TitleHash(title);
    const auto found = std::find_if(m_stories.begin(), m_stories.end(), [&](const Story& story) {
        return story.TitleHash == hash && story.Title == title;
    });
    return found == m_stories.end() ? -1 : found - m_stories.begin() + 1;
}

QString StoryCollection::ItemURL(qsizetype index) const {
    return m_commonPrefix + Item(index).PartialURL;
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
