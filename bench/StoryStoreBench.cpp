// The story store at a heavy user's size: 10 000 providers with 100 stored
// stories each (1 000 000 rows), built once per run in a temporary folder
// through KeepLoad, one load per provider. Titles run to about 60
// characters, descriptions to 200-300 and links to about 70, a few of them
// accented.
//
// - StoreFileSize: the store file (and any log beside it) after the store
//   was closed, against the UTF-8 bytes of the titles, descriptions and
//   links it holds.
// - KeepLoad: one provider's completed load of 200 stories, two loads taking
//   turns so that every iteration stores 200 new stories and drops 200.
// - StoreSteps: the store's part of start-up alone: opening it, trimming it
//   to the provider list, reading the first provider's last load.
// - StoreStartup: start-up as StartupBench's Startup, once without the store
//   and once with it opened, trimmed to the provider list and the first
//   provider's last load read from it, in turns; the counters give each in
//   ms and their ratio. Both show the same stories.
// - StartupPeak: the peak resident memory of one start-up each way, each in
//   a process of its own (this program started again with --startup-peak).
#include "StartupStages.h"
#include "StartupWindow.h"
#include "config/StoryStore.h"
#include "model/Provider.h"
#include "model/StoryCollection.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

constexpr int StoredStories = 100;
constexpr int LoadStories = 200;
const QDateTime Now(QDate(2026, 12, 8), QTime(6, 0), Qt::UTC);

const QStringList Vocabulary = {
    QStringLiteral("council"),   QStringLiteral("votes"),     QStringLiteral("on"),
    QStringLiteral("new"),       QStringLiteral("budget"),    QStringLiteral("for"),
    QStringLiteral("the"),       QStringLiteral("harbour"),   QStringLiteral("after"),
    QStringLiteral("storm"),     QStringLiteral("damage"),    QStringLiteral("Zürich"),
    QStringLiteral("café"),      QStringLiteral("owners"),    QStringLiteral("report"),
    QStringLiteral("record"),    QStringLiteral("season"),    QStringLiteral("as"),
    QStringLiteral("prices"),    QStringLiteral("fall"),      QStringLiteral("researchers"),
    QStringLiteral("find"),      QStringLiteral("a"),         QStringLiteral("way"),
    QStringLiteral("to"),        QStringLiteral("measure"),   QStringLiteral("rainfall"),
    QStringLiteral("in"),        QStringLiteral("mountain"),  QStringLiteral("valleys"),
    QStringLiteral("and"),       QStringLiteral("rivers"),    QStringLiteral("while"),
    QStringLiteral("officials"), QStringLiteral("say"),       QStringLiteral("talks"),
    QStringLiteral("will"),      QStringLiteral("resume"),    QStringLiteral("next"),
    QStringLiteral("week"),      QStringLiteral("with"),      QStringLiteral("São"),
    QStringLiteral("Paulo"),     QStringLiteral("delegates"), QStringLiteral("team"),
    QStringLiteral("wins"),      QStringLiteral("final"),     QStringLiteral("despite"),
    QStringLiteral("injuries"),  QStringLiteral("markets"),   QStringLiteral("open"),
    QStringLiteral("higher"),    QStringLiteral("Kraków"),    QStringLiteral("festival"),
    QStringLiteral("draws"),     QStringLiteral("crowds"),    QStringLiteral("from"),
    QStringLiteral("across"),    QStringLiteral("region"),    QStringLiteral("railway"),
    QStringLiteral("line"),      QStringLiteral("reopens"),   QStringLiteral("schools"),
    QStringLiteral("plan"),
};

// A fixed sequence of pseudo-random numbers, so that every run stores the
// same text.
int Next(quint64& state, int below) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return static_cast<int>(state % static_cast<quint64>(below));
}

// Words up to about `length` characters.
QString Text(quint64& state, int length) {
    QString text;
    while (text.size() < length) {
        if (!text.isEmpty())
            text += u' ';
        text += Vocabulary[Next(state, static_cast<int>(Vocabulary.size()))];
    }
    return text;
}

// The stories of one load of a provider: load 0 is the one stored for
// every provider, loads 1 and 2 are those KeepLoad takes turns with.
StoryCollection StoriesOf(const Provider& provider, int load, int count) {
    StoryCollection stories;
    for (int n = 1; n <= count; ++n) {
        const quint64 number = quint64(provider.UniqueID) * 1000 + quint64(load) * 300 + quint64(n);
        quint64 state = number * 0x9E3779B97F4A7C15ULL + 1;
        const QString title = Text(state, 52) + QStringLiteral(" %1").arg(n);
        const QString link = QStringLiteral("https://news%1.example.org/2026/12/%2/%3-%4")
                                 .arg(provider.UniqueID % 97)
                                 .arg(1 + n % 28, 2, 10, QLatin1Char('0'))
                                 .arg(Text(state, 18).replace(u' ', u'-').toLower())
                                 .arg(number);
        stories.Add(title, Text(state, 200 + Next(state, 100)), link,
                    Date::FromParts(2026, 12, 1 + n % 7, n % 24, n % 60, 0), n % 5, false);
    }
    return stories;
}

qint64 TextBytes(const StoryCollection& stories) {
    qint64 bytes = 0;
    for (qsizetype index = 1; index <= stories.Count(); ++index) {
        const Story& story = stories.Item(index);
        bytes += story.Title.toUtf8().size() + story.Description.toUtf8().size() +
                 stories.ItemURL(index).toUtf8().size();
    }
    return bytes;
}

struct BigStore {
    QString Path;
    qint64 TextBytes = 0;
};

const BigStore& Store() {
    static QTemporaryDir folder;
    static BigStore store;
    if (!store.Path.isEmpty())
        return store;
    store.Path = QDir(folder.path()).filePath(QStringLiteral("stories.sqlite"));
    const auto providers = StartupStages::Load(StartupStages::Heavy);
    StoryStore stories(store.Path);
    if (!stories.Open(Now).isEmpty())
        qFatal("cannot make the story store");
    for (const auto& provider : *providers) {
        const StoryCollection load = StoriesOf(*provider, 0, StoredStories);
        if (!stories.KeepLoad(*provider, load, Now))
            qFatal("cannot fill the story store: %s", qPrintable(stories.LastError()));
        store.TextBytes += TextBytes(load);
    }
    return store;
}

qint64 FileBytes(const QString& path) {
    return QFileInfo::exists(path) ? QFileInfo(path).size() : 0;
}

void StoreFileSize(benchmark::State& state) {
    const BigStore& store = Store();
    for (auto _ : state) {
        const qint64 file = FileBytes(store.Path);
        const qint64 log = FileBytes(store.Path + QStringLiteral("-wal"));
        state.counters["file_bytes"] = double(file);
        state.counters["wal_bytes"] = double(log);
        state.counters["text_bytes"] = double(store.TextBytes);
        state.counters["ratio"] = double(file + log) / double(store.TextBytes);
    }
}

void KeepLoad(benchmark::State& state) {
    const auto providers = StartupStages::Load(StartupStages::Heavy);
    const Provider& provider = *providers->Item(providers->Count() / 2);
    const StoryCollection loads[] = {StoriesOf(provider, 1, LoadStories),
                                     StoriesOf(provider, 2, LoadStories)};
    StoryStore store(Store().Path);
    if (!store.Open(Now).isEmpty())
        qFatal("cannot open the story store");
    int turn = 0;
    for (auto _ : state) {
        if (!store.KeepLoad(provider, loads[turn], Now))
            state.SkipWithError(qPrintable(store.LastError()));
        turn = 1 - turn;
    }
}

// Closing the store is left out of the times.
void TearDown(benchmark::State& state, std::unique_ptr<StoryStore>& store) {
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();
}

// What one start-up built, kept until after its time is taken: the window
// goes first, as it draws the providers.
struct Started {
    std::unique_ptr<ProviderCollection> Providers;
    std::unique_ptr<StoryStore> Store;
    std::unique_ptr<StartupWindow> Window;
};

// Without a store the first provider is given the stories the store holds
// for it, made on the spot.
Started StartUp(const QString& providersFile, const QString& storeFile) {
    Started started;
    started.Window = std::make_unique<StartupWindow>();
    started.Providers = StartupStages::Load(providersFile);
    StartupStages::Sort(*started.Providers);
    Provider& first = *started.Providers->Item(1);
    if (storeFile.isEmpty()) {
        *first.Stories = StoriesOf(first, 0, StoredStories);
        first.Stories->Compress();
    } else {
        started.Store = std::make_unique<StoryStore>(storeFile);
        if (!started.Store->Open(Now).isEmpty())
            qFatal("cannot open the story store");
        started.Store->SetRetention({});
        started.Store->KeepOnly(*started.Providers);
        *first.Stories = started.Store->LastLoad(first);
    }
    started.Window->Fill(*started.Providers);
    started.Window->ShowFirst(*started.Providers);
    return started;
}

// The store's part of start-up step by step, with the list sorted before.
void StoreSteps(benchmark::State& state) {
    auto providers = StartupStages::Load(StartupStages::Heavy);
    StartupStages::Sort(*providers);
    const Provider& first = *providers->Item(1);
    const QString storeFile = Store().Path;
    double open = 0;
    double keepOnly = 0;
    double lastLoad = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        auto store = std::make_unique<StoryStore>(storeFile);
        if (!store->Open(Now).isEmpty())
            qFatal("cannot open the story store");
        open += double(timer.nsecsElapsed());
        timer.restart();
        if (!store->KeepOnly(*providers))
            state.SkipWithError(qPrintable(store->LastError()));
        keepOnly += double(timer.nsecsElapsed());
        timer.restart();
        const StoryCollection stories = store->LastLoad(first);
        lastLoad += double(timer.nsecsElapsed());
        TearDown(state, store);
    }
    const double iterations = double(state.iterations());
    state.counters["open_ms"] = open / 1e6 / iterations;
    state.counters["keep_only_ms"] = keepOnly / 1e6 / iterations;
    state.counters["last_load_ms"] = lastLoad / 1e6 / iterations;
}

// One start-up's time in seconds; tearing it down is left out.
double TimedStartUp(benchmark::State& state, const QString& providersFile,
                    const QString& storeFile) {
    QElapsedTimer timer;
    timer.start();
    Started started = StartUp(providersFile, storeFile);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (started.Providers->Item(1)->Stories->Count() != StoredStories)
        state.SkipWithError("the first provider was shown other stories");
    return seconds;
}

// The two take turns at going first, so that neither always finds what the
// other left behind.
void StoreStartup(benchmark::State& state) {
    const QString providersFile = StartupStages::ProvidersFile(StartupStages::Heavy);
    const QString storeFile = Store().Path;
    double without = 0;
    double with = 0;
    bool storeFirst = false;
    for (auto _ : state) {
        const double stored = storeFirst ? TimedStartUp(state, providersFile, storeFile) : 0;
        const double plain = TimedStartUp(state, providersFile, QString());
        const double storedAfter = storeFirst ? 0 : TimedStartUp(state, providersFile, storeFile);
        without += plain;
        with += stored + storedAfter;
        state.SetIterationTime(plain + stored + storedAfter);
        storeFirst = !storeFirst;
    }
    const double iterations = double(state.iterations());
    state.counters["without_ms"] = without * 1000 / iterations;
    state.counters["with_ms"] = with * 1000 / iterations;
    state.counters["ratio"] = with / without;
}

// The peak of this process's resident memory. Not getrusage's ru_maxrss:
// that survives exec, so a child started from a large parent reports the
// parent's size.
qint64 PeakBytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        qFatal("cannot read /proc/self/status");
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    qFatal("no VmHWM in /proc/self/status");
}

// The peak of a start-up in a process of its own, in MB.
double ChildPeak(const QStringList& arguments) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                QStringList{QStringLiteral("--startup-peak")} + arguments);
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        qFatal("the start-up process failed: %s", child.readAllStandardError().constData());
    return child.readAllStandardOutput().trimmed().toDouble() / (1 << 20);
}

void StartupPeak(benchmark::State& state) {
    const QString providersFile = StartupStages::ProvidersFile(StartupStages::Heavy);
    const QString storeFile = Store().Path;
    for (auto _ : state) {
        const double without = ChildPeak({providersFile});
        const double with = ChildPeak({providersFile, storeFile});
        state.counters["without_MB"] = without;
        state.counters["with_MB"] = with;
        state.counters["ratio"] = with / without;
    }
}

// The child's side of StartupPeak: one start-up, then its peak on the
// standard output, in bytes.
int StartupPeakChild(const QString& providersFile, const QString& storeFile) {
    const Started started = StartUp(providersFile, storeFile);
    std::printf("%lld\n", static_cast<long long>(PeakBytes()));
    return 0;
}

BENCHMARK(StoreFileSize)->Iterations(1);
BENCHMARK(KeepLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(StoreSteps)->Unit(benchmark::kMillisecond);
BENCHMARK(StoreStartup)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(StartupPeak)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

// Drawn off screen, as in the other benchmarks that build widgets.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.value(1) == QStringLiteral("--startup-peak"))
        return StartupPeakChild(arguments.value(2), arguments.value(3));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
