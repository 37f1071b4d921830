// varnocet-providers: shows a providers file exactly as Varnocet reads it,
// and can write it back the way Varnocet writes it.
#include "ProvidersReport.h"

#include "model/ProviderCollection.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

constexpr int Failure = 1;
constexpr int Usage = 2;

void SortAsAtStartup(ProviderCollection& providers) {
    CategoryCollection& categories = providers.Categories();
    categories.SortByName(1, categories.Count());
    categories.ComputeVisibility();
    providers.SortByCategory();
    providers.FlagFirstInCategory();
}

int LoadFailure(const QString& file, const XmlDocument::ParseError& error) {
    if (error.Line > 0)
        std::fprintf(stderr, "varnocet-providers: %s:%d:%d: %s\n", qUtf8Printable(file), error.Line,
                     error.LinePos, qUtf8Printable(error.Reason));
    else
        std::fprintf(stderr, "varnocet-providers: %s: %s\n", qUtf8Printable(file),
                     qUtf8Printable(error.Reason));
    return Failure;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Varnocet"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows a Varnocet providers file as the program reads it."));
    parser.addHelpOption();
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Print JSON."));
    const QCommandLineOption sort(QStringLiteral("sort"),
                                  QStringLiteral("Sort categories and providers as at start-up."));
    const QCommandLineOption write(QStringLiteral("write"),
                                   QStringLiteral("Save the loaded list to <file>."),
                                   QStringLiteral("file"));
    parser.addOptions({json, sort, write});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The providers file."));
    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (parsed && parser.isSet(QStringLiteral("help")))
        parser.showHelp();
    if (!parsed || parser.positionalArguments().size() != 1) {
        const QString error = parser.errorText();
        std::fprintf(stderr, "varnocet-providers: %s\n%s",
                     qUtf8Printable(error.isEmpty() ? QStringLiteral("expected one FILE") : error),
                     qUtf8Printable(parser.helpText()));
        return Usage;
    }

    const QString file = parser.positionalArguments().constFirst();
    ProviderCollection providers;
    if (!providers.LoadFile(file, nullptr, false))
        return LoadFailure(file, providers.LastLoadError());
    if (parser.isSet(sort))
        SortAsAtStartup(providers);
    if (parser.isSet(write) && !providers.SaveFile(parser.value(write), nullptr, false, true, true))
        return Failure;
    if (parser.isSet(json))
        std::fputs(ProvidersReport::AsJson(providers).constData(), stdout);
    else if (!parser.isSet(write))
        std::fputs(qUtf8Printable(ProvidersReport::AsText(providers)), stdout);
    return 0;
}
