// varnocet-stories: prints the headlines Varnocet keeps across runs, for
// scripts and bug reports. It only reads the store, which the running
// program may be writing meanwhile.
#include "StoriesReport.h"

#include "config/StoryStore.h"
#include "platform/KnownFolders.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <optional>

namespace {

constexpr int Failure = 1;
constexpr int Usage = 2;

int Failed(const QString& error) {
    std::fprintf(stderr, "varnocet-stories: %s\n", qUtf8Printable(error));
    return Failure;
}

int UsageError(const QString& error, const QCommandLineParser& parser) {
    std::fprintf(stderr, "varnocet-stories: %s\n%s", qUtf8Printable(error),
                 qUtf8Printable(parser.helpText()));
    return Usage;
}

// The stored records, all or one provider's; nothing when the store cannot
// be read, after saying why.
std::optional<std::vector<StoryStore::ProviderRecords>> Read(const QString& file,
                                                             std::optional<Long> uniqueID) {
    // Asking SQLite would only say it cannot open the file.
    if (!QFileInfo(file).isFile()) {
        Failed(QStringLiteral("no headlines are stored: %1 does not exist").arg(file));
        return std::nullopt;
    }
    StoryStore store(file);
    auto contents = store.OpenReadOnly() ? store.Contents(uniqueID)
                                         : std::vector<StoryStore::ProviderRecords>();
    if (!store.LastError().isEmpty()) {
        Failed(QStringLiteral("%1: %2").arg(file, store.LastError()));
        return std::nullopt;
    }
    return contents;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Varnocet"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints the headlines Varnocet keeps across runs. HOME is the folder "
                       "given to varnocet --home; without it, VARNOCET_HOME or the usual "
                       "places."));
    parser.addHelpOption();
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Print JSON."));
    const QCommandLineOption provider(QStringLiteral("provider"),
                                      QStringLiteral("Only the provider with the ID <id>."),
                                      QStringLiteral("id"));
    parser.addOptions({json, provider});
    parser.addPositionalArgument(QStringLiteral("HOME"),
                                 QStringLiteral("The home folder of a profile."),
                                 QStringLiteral("[HOME]"));
    if (!parser.parse(QCoreApplication::arguments()))
        return UsageError(parser.errorText(), parser);
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp();
    if (parser.positionalArguments().size() > 1)
        return UsageError(QStringLiteral("expected at most one HOME"), parser);
    std::optional<Long> uniqueID;
    if (parser.isSet(provider)) {
        bool number = false;
        uniqueID = parser.value(provider).toInt(&number);
        if (!number)
            return UsageError(QStringLiteral("%1 is not a provider ID").arg(parser.value(provider)),
                              parser);
    }

    // As the program finds its folders.
    KnownFolders::SetHome(
        parser.positionalArguments().value(0, qEnvironmentVariable("VARNOCET_HOME")));
    const QString file =
        QDir(KnownFolders::ApplicationData()).filePath(QStringLiteral("stories.sqlite"));
    const auto contents = Read(file, uniqueID);
    if (!contents)
        return Failure;
    if (uniqueID && contents->empty())
        return Failed(QStringLiteral("provider %1 has no stored headlines").arg(*uniqueID));
    if (parser.isSet(json))
        std::fputs(StoriesReport::AsJson(*contents).constData(), stdout);
    else
        std::fputs(qUtf8Printable(StoriesReport::AsText(*contents)), stdout);
    return 0;
}
