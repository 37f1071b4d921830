// varnocet-providers: shows a providers file exactly as Varnocet reads it,
// and can write it back the way Varnocet writes it; moves its providers to
// and from the OPML subscription lists of other readers; applies a delta set
// and compares with another list as a master list update does.
#include "ProvidersReport.h"

#include "config/OpmlExport.h"
#include "config/OpmlImport.h"
#include "model/AliasSetCollection.h"
#include "model/ProviderCollection.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <optional>

namespace {

constexpr int Failure = 1;
constexpr int Usage = 2;

int LoadFailure(const QString& file, const XmlDocument::ParseError& error) {
    if (error.Line > 0)
        std::fprintf(stderr, "varnocet-providers: %s:%d:%d: %s\n", qUtf8Printable(file), error.Line,
                     error.LinePos, qUtf8Printable(error.Reason));
    else
        std::fprintf(stderr, "varnocet-providers: %s: %s\n", qUtf8Printable(file),
                     qUtf8Printable(error.Reason));
    return Failure;
}

int Failed(const QString& error) {
    std::fprintf(stderr, "varnocet-providers: %s\n", qUtf8Printable(error));
    return Failure;
}

// Zero when the feeds were added (or none was new); the report goes to
// standard output.
int ImportOpml(ProviderCollection& providers, const QString& opml, const QString& aliasFile) {
    AliasSetCollection aliases;
    if (!aliasFile.isEmpty() && !aliases.FromXML(aliasFile))
        return Failed(QStringLiteral("%1: cannot read the alias sets").arg(aliasFile));
    const OpmlImportReport report = OpmlImport(providers, &aliases).ImportFile(opml);
    if (report.Failed())
        return Failed(report.Error);
    std::fputs(qUtf8Printable(report.Text()), stdout);
    return 0;
}

// Gives each provider the fields that the provider with the same ID in the
// delta set held, as a master list update does.
int ApplyDelta(ProviderCollection& providers, const QString& file) {
    ProviderCollection delta;
    if (!delta.LoadFile(file, nullptr, false))
        return LoadFailure(file, delta.LastLoadError());
    for (const auto& change : delta) {
        const qsizetype position = providers.LocateProviderByUniqueID(change->UniqueID);
        if (position > 0)
            providers.Item(position)->ApplyAsPresent(*change);
    }
    return 0;
}

// How --write lays the list out: as the program saves the user's list (with
// the run-time statistics), as a base set of the master list (without them),
// or as a delta set (each provider's ID and the fields its element held).
struct Layout {
    bool DiffOnly = false;
    bool Dynamic = true;
};

std::optional<Layout> LayoutNamed(const QString& name) {
    if (name == u"user")
        return Layout{false, true};
    if (name == u"base")
        return Layout{false, false};
    if (name == u"delta")
        return Layout{true, false};
    return std::nullopt;
}

int ExportOpml(const ProviderCollection& providers, const QString& file) {
    const OpmlExport::Result result = OpmlExport::WriteFile(providers, file);
    if (result.Failed())
        return Failed(result.Error);
    std::printf("%s\n", qUtf8Printable(result.Text()));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Varnocet"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows a Varnocet providers file as the program reads it, and moves "
                       "its providers to and from OPML subscription lists."));
    parser.addHelpOption();
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Print JSON."));
    const QCommandLineOption sort(QStringLiteral("sort"),
                                  QStringLiteral("Sort categories and providers as at start-up."));
    const QCommandLineOption write(QStringLiteral("write"),
                                   QStringLiteral("Save the loaded list to <file>."),
                                   QStringLiteral("file"));
    const QCommandLineOption layout(
        QStringLiteral("layout"),
        QStringLiteral("With --write: user (the default, as the program saves your list), base "
                       "(without the statistics) or delta (each ID with the fields its element "
                       "held)."),
        QStringLiteral("layout"), QStringLiteral("user"));
    const QCommandLineOption exportOpml(
        QStringLiteral("export-opml"),
        QStringLiteral("Write the providers to <file> as an OPML subscription list."),
        QStringLiteral("file"));
    const QCommandLineOption importOpml(
        QStringLiteral("import-opml"),
        QStringLiteral("Add the feeds of the OPML subscription list <opml>; --write saves the "
                       "result."),
        QStringLiteral("opml"));
    const QCommandLineOption aliases(
        QStringLiteral("aliases"),
        QStringLiteral("With --import-opml: a feed the list holds under another address of one "
                       "of the alias sets in <file> is already present."),
        QStringLiteral("file"));
    const QCommandLineOption apply(
        QStringLiteral("apply"),
        QStringLiteral("Give each provider the fields that the provider with the same ID in the "
                       "delta set <file> held, as a master list update does."),
        QStringLiteral("file"));
    const QCommandLineOption compare(
        QStringLiteral("compare"),
        QStringLiteral("With --json: name, for each provider that <file> holds under the same "
                       "ID, the fields whose values differ (\"Differs\")."),
        QStringLiteral("file"));
    parser.addOptions({json, sort, write, layout, exportOpml, importOpml, aliases, apply, compare});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The providers file."));
    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (parsed && parser.isSet(QStringLiteral("help")))
        parser.showHelp();
    const std::optional<Layout> written = LayoutNamed(parser.value(layout));
    if (!parsed || parser.positionalArguments().size() != 1 || !written) {
        QString error = parser.errorText();
        if (parsed && !written)
            error = QStringLiteral("unknown layout %1").arg(parser.value(layout));
        std::fprintf(stderr, "varnocet-providers: %s\n%s",
                     qUtf8Printable(error.isEmpty() ? QStringLiteral("expected one FILE") : error),
                     qUtf8Printable(parser.helpText()));
        return Usage;
    }

    const QString file = parser.positionalArguments().constFirst();
    ProviderCollection providers;
    if (!providers.LoadFile(file, nullptr, false))
        return LoadFailure(file, providers.LastLoadError());
    if (parser.isSet(importOpml) &&
        ImportOpml(providers, parser.value(importOpml), parser.value(aliases)) != 0)
        return Failure;
    if (parser.isSet(apply) && ApplyDelta(providers, parser.value(apply)) != 0)
        return Failure;
    ProviderCollection compared;
    if (parser.isSet(compare) && !compared.LoadFile(parser.value(compare), nullptr, false))
        return LoadFailure(parser.value(compare), compared.LastLoadError());
    if (parser.isSet(sort))
        providers.SortForTree(nullptr, {});
    if (parser.isSet(write) && !providers.SaveFile(parser.value(write), nullptr, written->DiffOnly,
                                                   written->Dynamic, true))
        return Failure;
    if (parser.isSet(exportOpml) && ExportOpml(providers, parser.value(exportOpml)) != 0)
        return Failure;
    if (parser.isSet(json))
        std::fputs(ProvidersReport::AsJson(providers, parser.isSet(compare) ? &compared : nullptr)
                       .constData(),
                   stdout);
    else if (!parser.isSet(write) && !parser.isSet(importOpml) && !parser.isSet(exportOpml))
        std::fputs(qUtf8Printable(ProvidersReport::AsText(providers)), stdout);
    return 0;
}
