// Feed intake at the size of the largest feeds seen: 20 MB RSS 2.0 and Atom
// documents with 20 000 entries, read for the first time and again with
// every title known, beside libxml2 alone parsing the same bytes; and an RSS
// document that is not well-formed (a bare "&" in every hundredth title)
// beside libxml2's own recovering parse of it.
#include "feeds/FeedIntake.h"
#include "feeds/IntakeEnvironment.h"
#include "model/Provider.h"
#include "platform/XmlDocument.h"

#include <libxml/parser.h>

#include <benchmark/benchmark.h>

namespace {

constexpr int Entries = 20000;

QByteArray Description(int i) {
    QByteArray text = "&lt;p&gt;Story " + QByteArray::number(i) +
                      " &amp;mdash; caf&amp;eacute; &amp;#8220;quoted&amp;#8221;&lt;/p&gt;";
    while (text.size() < 900)
        text += "&lt;p&gt;More words about the story, with &lt;b&gt;bold&lt;/b&gt; &amp;amp; "
                "&lt;a href=\"https://example.org/x\"&gt;links&lt;/a&gt;.&lt;/p&gt;";
    return text;
}

QByteArray GenerateRss(bool wellFormed) {
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\">\n<channel>\n"
        "<title>Bench</title>\n<link>https://example.org/</link>\n";
    for (int i = 0; i < Entries; ++i) {
        const QByteArray n = QByteArray::number(i);
        const bool bare = !wellFormed && i % 100 == 0;
        xml += "<item>\n<title>Headline number " + n + (bare ? " & more" : " &amp; more") +
               "</title>\n"
               "<link>https://example.org/stories/2026/" +
               n +
               "</link>\n"
               "<description>" +
               Description(i) +
               "</description>\n"
               "<pubDate>Mon, 05 Jan 2026 " +
               QByteArray::number(10 + i % 10) + ":00:00 GMT</pubDate>\n</item>\n";
    }
    return xml + "</channel>\n</rss>\n";
}

QByteArray GenerateAtom() {
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<feed xmlns=\"http://www.w3.org/2005/Atom\">\n<title>Bench</title>\n"
                     "<link href=\"https://example.org/\"/>\n";
    for (int i = 0; i < Entries; ++i) {
        const QByteArray n = QByteArray::number(i);
        xml += "<entry>\n<title>Entry number " + n +
               "</title>\n"
               "<link rel=\"alternate\" href=\"https://example.org/entries/" +
               n +
               "\"/>\n"
               "<updated>2026-01-05T10:" +
               QByteArray::number(10 + i % 50) +
               ":00Z</updated>\n"
               "<summary type=\"html\">" +
               Description(i) + "</summary>\n</entry>\n";
    }
    return xml + "</feed>\n";
}

const QByteArray& Rss() {
    static const QByteArray bytes = GenerateRss(true);
    return bytes;
}

const QByteArray& MalformedRss() {
    static const QByteArray bytes = GenerateRss(false);
    return bytes;
}

const QByteArray& Atom() {
    static const QByteArray bytes = GenerateAtom();
    return bytes;
}

class BenchEnvironment : public IntakeEnvironment {
public:
    bool HighlightNewStories() const override { return true; }
    bool PlayArrivalSounds() const override { return false; }
    Currency CounterNow() const override { return {}; }
    void OperationCompleted() override {}
    void StoriesReplaced(Provider&) override {}
    void LoadStateChanged(Provider&) override {}
    void PlayArrivalSound(const QString&) override {}
};

void Intake(Provider& provider, const QByteArray& bytes) {
    BenchEnvironment environment;
    XmlDocument document;
    document.LoadXML(bytes, XmlDocument::Malformed::Recover);
    FeedIntake::GrabStoriesXMLComplete(provider, document, environment);
}

void Read(benchmark::State& state, const QByteArray& bytes, bool titlesKnown) {
    Provider provider;
    provider.Stories = std::make_shared<StoryCollection>();
    if (titlesKnown)
        Intake(provider, bytes);
    for (auto _ : state) {
        if (!titlesKnown)
            provider.Stories = std::make_shared<StoryCollection>();
        Intake(provider, bytes);
    }
    if (provider.Stories->Count() != Entries)
        state.SkipWithError("not every entry was read");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes.size());
}

void LibXmlAlone(benchmark::State& state, const QByteArray& bytes, int options) {
    for (auto _ : state) {
        xmlDocPtr document = xmlReadMemory(bytes.constData(), static_cast<int>(bytes.size()),
                                           nullptr, nullptr, XML_PARSE_NONET | options);
        benchmark::DoNotOptimize(document);
        xmlFreeDoc(document);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes.size());
}

BENCHMARK_CAPTURE(Read, RssFirstTime, Rss(), false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Read, RssTitlesKnown, Rss(), true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LibXmlAlone, Rss, Rss(), 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Read, AtomFirstTime, Atom(), false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Read, AtomTitlesKnown, Atom(), true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LibXmlAlone, Atom, Atom(), 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Read, MalformedRssFirstTime, MalformedRss(), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LibXmlAlone, MalformedRssRecovering, MalformedRss(),
                  XML_PARSE_RECOVER | XML_PARSE_NOERROR | XML_PARSE_NOWARNING)
    ->Unit(benchmark::kMillisecond);

} // namespace
