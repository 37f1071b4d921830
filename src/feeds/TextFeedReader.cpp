#include "feeds/TextFeedReader.h"

#include "feeds/FeedDates.h"
#include "platform/Clock.h"
#include "platform/ProgramError.h"

#include <QStringList>

#include <algorithm>
#include <optional>

namespace TextFeedReader {

namespace {

// A story takes at most this many lines, a limit text layouts written for
// this format rely on; a larger group is refused rather than cut.
constexpr int MaximumLinesPerStory = 20;

struct Layout {
    int skippedLines = 0;
    int linesPerStory = 0;
    QString letters;
};

// A number of the layout ends at its first non-digit; none at all reads as 0,
// which a typo such as "0,1,T" easily produces.
int LeadingNumber(const QString& field) {
    int number = 0;
    for (const QChar c : field) {
        if (c < u'0' || c > u'9')
            break;
        number = number * 10 + (c.unicode() - u'0');
    }
    return number;
}

std::optional<Layout> ParseLayout(const QString& spec) {
    const QString effective = spec.isEmpty() ? QStringLiteral("00,01,T") : spec;
    const Layout layout{LeadingNumber(effective.mid(0, 2)), LeadingNumber(effective.mid(3, 2)),
                        effective.mid(6)};
    if (layout.linesPerStory < 1 || layout.linesPerStory > MaximumLinesPerStory)
        return std::nullopt;
    return layout;
}

// The lines of the text; a final line end does not begin another line.
QStringList SplitLines(QString text) {
    text.remove(QLatin1Char('\r'));
    if (text.isEmpty())
        return {};
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

// Turns one group of lines into a story, following the field letters.
class StoryBuilder {
public:
    StoryBuilder(const Provider& provider, const QString& letters)
        : m_provider(provider)
        , m_letters(letters) {}

    // Nothing is added when the group has no title or an unreadable date.
    void Build(StoryCollection& stories, const QStringList& group) const;

private:
    struct Fields {
        QString title;
        QString link;
        QString date;
        QString time;
    };

    Fields Read(const QStringList& group) const;
    void Add(StoryCollection& stories, const QStringList& group) const;

    const Provider& m_provider;
    QString m_letters;
};

StoryBuilder::Fields StoryBuilder::Read(const QStringList& group) const {
    Fields fields;
    fields.date = FeedDates::ToLocalTime(Clock::NowUtc()).ToText();
    // Letters past the twentieth line would read beyond a story's lines; the
    // bound also keeps the work per group small whatever the layout's length.
    qsizetype line = 0;
    for (qsizetype i = 0; i < m_letters.size() && line < MaximumLinesPerStory; ++i, ++line) {
        const QString text = group.value(line);
        switch (m_letters.at(i).unicode()) {
        case u'T':
            fields.title = text;
            break;
        case u'U':
            fields.link = text.trimmed();
            break;
        case u'R':
            fields.link = m_provider.SiteURL + text.trimmed();
            break;
        case u'H':
            fields.time = text.trimmed();
            break;
        case u'D':
            // The next letter is the date format code, not a field.
            fields.date = FeedDates::DateFormatHandler(m_letters.mid(++i, 1), text.trimmed());
            break;
        default:
            break;
        }
    }
    return fields;
}

void StoryBuilder::Build(StoryCollection& stories, const QStringList& group) const {
    try {
        Add(stories, group);
    } catch (const ProgramError&) {
        // One story that cannot be stored (a full collection) must not cost
        // the feed its other stories.
    }
}

void StoryBuilder::Add(StoryCollection& stories, const QStringList& group) const {
    const Fields fields = Read(group);
    if (fields.title.isEmpty())
        return;
    const QString dateText =
        fields.time.isEmpty() ? fields.date : fields.date + QLatin1Char(' ') + fields.time;
    const std::optional<Date> time = FeedDates::ReadDateText(dateText);
    if (!time)
        return;
    const QString link = fields.link.isEmpty() ? m_provider.SiteURL : fields.link;
    stories.Add(fields.title, QString(), link, *time, 0, true);
}

bool HasText(const QStringList& group) {
    return std::any_of(group.cbegin(), group.cend(),
                       [](const QString& line) { return !line.isEmpty(); });
}

} // namespace

bool ReadStories(Provider& provider, StoryCollection& stories, const QString& text) {
    const std::optional<Layout> layout = ParseLayout(provider.TextFormatSpec);
    if (!layout)
        return false;
    const QStringList lines = SplitLines(text);
    const StoryBuilder builder(provider, layout->letters);
    for (qsizetype first = layout->skippedLines; first < lines.size();
         first += layout->linesPerStory) {
        const QStringList group = lines.mid(first, layout->linesPerStory);
        // A blank group can make no story; skipping it also spares its date
        // handling.
        if (HasText(group))
            builder.Build(stories, group);
    }
    return true;
}

} // namespace TextFeedReader
