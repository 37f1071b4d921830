// Memory while answers far over the body cap are refused: one or thirty at
// once (thirty is the limit of fetches in flight), with and without a
// Content-Length, each a 200 MB body generated on the fly by a server on
// 127.0.0.1 in this process. The counters give the resident memory's peak
// above what the process held just before, in MB, in all and for each
// answer; the bound is twice the cap for each answer. And memory while a
// compressed answer of a few bytes drips in as thousands of empty blocks.
#include "retrieval/HttpRequest.h"
#include "support/TestHttpServer.h"

#include <QCoreApplication>
#include <QFile>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr qint64 Megabyte = qint64(1) << 20;
constexpr qint64 AnswerBytes = 200 * Megabyte;

// A field of /proc/self/status, in bytes.
qint64 StatusBytes(const QByteArray& field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

// Starts the peak over at what is resident now.
void ResetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// Sends the opened requests and waits for them all to be done; gives the
// resident memory's peak meanwhile above what was resident before.
qint64 PeakWhileRunning(const std::vector<std::unique_ptr<HttpRequest>>& requests) {
    QCoreApplication::processEvents();
    const qint64 idle = StatusBytes("VmRSS");
    ResetPeak();
    for (const auto& request : requests)
        request->Send();
    const auto done = [&] {
        for (const auto& request : requests) {
            if (request->ReadyState() != HttpRequest::Done)
                return false;
        }
        return true;
    };
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return StatusBytes("VmHWM") - idle;
}

void RefuseOversizedAnswers(benchmark::State& state) {
    const auto count = static_cast<int>(state.range(0));
    const bool declared = state.range(1) != 0;
    TestHttpServer server;
    TestHttpServer::Response answer;
    answer.GeneratedBytes = AnswerBytes;
    answer.Chunked = !declared;
    server.Serve("/huge", answer);
    const QString url = server.Url(QStringLiteral("/huge")).toString();
    const HttpRequest::Limits limits;
    qint64 worst = 0;
    int refused = 0;
    for (auto _ : state) {
        std::vector<std::unique_ptr<HttpRequest>> requests;
        for (int i = 0; i < count; ++i) {
            requests.push_back(std::make_unique<HttpRequest>(limits));
            requests.back()->Open(url);
        }
        worst = std::max(worst, PeakWhileRunning(requests));
        for (const auto& request : requests)
            refused += request->ErrorString().startsWith(QLatin1String("the answer is larger"));
        requests.clear();
        QCoreApplication::processEvents();
    }
    const double peak = static_cast<double>(worst) / Megabyte;
    state.counters["peak_above_idle_MB"] = peak;
    state.counters["peak_per_answer_MB"] = peak / count;
    state.counters["bound_per_answer_MB"] = 2.0 * limits.MaxBodyBytes / Megabyte;
    state.counters["refused_share"] =
        static_cast<double>(refused) / (count * static_cast<double>(state.iterations()));
}

BENCHMARK(RefuseOversizedAnswers)
    ->ArgNames({"answers", "declared_length"})
    ->Args({1, 1})
    ->Args({1, 0})
    ->Args({30, 1})
    ->Args({30, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// A server that flushes its compressor after every few bytes, or pads a
// slow answer to keep it alive, sends many empty deflate blocks: what the
// request holds should follow the tiny body, not the number of blocks.
void DrippedEmptyBlocks(benchmark::State& state) {
    constexpr qsizetype BlockBytes = 5;
    QByteArray stream("\x78\x01", 2);
    stream += QByteArray("\x00\x00\x00\xFF\xFF", BlockBytes).repeated(state.range(0));
    stream += TestHttpServer::Compress("<rss/>", TestHttpServer::Wrapper::Zlib).sliced(2);
    TestHttpServer server;
    TestHttpServer::Response answer;
    answer.Body = stream;
    answer.Headers.insert("Content-Encoding", "deflate");
    answer.DripBytes = BlockBytes;
    server.Serve("/drip", answer);
    qint64 worst = 0;
    bool whole = true;
    for (auto _ : state) {
        std::vector<std::unique_ptr<HttpRequest>> requests;
        requests.push_back(std::make_unique<HttpRequest>());
        requests.back()->Open(server.Url(QStringLiteral("/drip")).toString());
        worst = std::max(worst, PeakWhileRunning(requests));
        whole = whole && requests.back()->ResponseBody() == "<rss/>";
    }
    state.counters["peak_above_idle_MB"] = static_cast<double>(worst) / Megabyte;
    state.counters["decoded_whole"] = whole ? 1 : 0;
}

BENCHMARK(DrippedEmptyBlocks)
    ->ArgName("empty_blocks")
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
