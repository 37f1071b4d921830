// Keeps the two alternating loads in the story store named on the command
// line, in turn and without end, printing a line after each commit: the
// process the crash test kills mid-write.
#include "config/StoryStore.h"
#include "support/AlternatingLoads.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 2)
        return 2;
    StoryStore store(QString::fromLocal8Bit(argv[1]));
    const QString problem = store.Open(QDateTime());
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(problem));
        return 1;
    }
    Provider provider;
    AlternatingLoads::Describe(provider);
    const StoryCollection loads[] = {AlternatingLoads::Load(0), AlternatingLoads::Load(1)};
    const QDateTime start = QDateTime::fromSecsSinceEpoch(1'796'000'000, Qt::UTC);
    for (qint64 count = 0;; ++count) {
        if (!store.KeepLoad(provider, loads[count % 2], start.addSecs(count))) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(store.LastError()));
            return 1;
        }
        std::printf("%lld\n", static_cast<long long>(count));
        std::fflush(stdout);
    }
}
