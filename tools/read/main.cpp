// varnocet-read: reads one feed document through exactly the intake and
// readers Varnocet uses, and prints what a user would see.
#include "FeedReport.h"
#include "XmlReport.h"

#include "feeds/FeedIntake.h"
#include "feeds/QuietIntakeEnvironment.h"
#include "model/PendingOperation.h"
#include "model/Provider.h"
#include "platform/BackgroundNotice.h"
#include "platform/Clock.h"
#include "platform/TextDecoding.h"
#include "platform/XmlDocument.h"
#include "retrieval/FeedAnswer.h"
#include "retrieval/HttpRequest.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QFile>
#include <QScopeGuard>
#include <QUrl>

#include <cstdio>
#include <optional>

namespace {

constexpr int NotRead = 1;
constexpr int Usage = 2;

struct Options {
    bool Json = false;
    bool Details = false;
    QString Name;
    QString Site;
    QString TextSpec;
    bool IsText = false;
    // How the XML layer reads the document, instead of its stories.
    bool Xml = false;
    QString Source;
    // Where the document was fetched from, when told.
    QUrl Address;
};

int Fail(const QString& message, int code) {
    std::fprintf(stderr, "varnocet-read: %s\n", qUtf8Printable(message));
    return code;
}

// What the source holds, the charset its server named (text feeds are
// decoded by it) and the address it came from, after redirects.
struct Body {
    QByteArray Bytes;
    QString Charset;
    QUrl Address;
};

bool ReadXml(Provider& provider, const Body& body, const Options& options) {
    XmlDocument document;
    if (!document.LoadXML(body.Bytes, XmlDocument::Malformed::Recover,
                          options.Address.isEmpty() ? body.Address : options.Address)) {
        const XmlDocument::ParseError& error = document.LastParseError();
        Fail(QStringLiteral("%1:%2:%3: %4")
                 .arg(options.Source)
                 .arg(error.Line)
                 .arg(error.LinePos)
                 .arg(error.Reason),
             NotRead);
        return false;
    }
    QuietIntakeEnvironment environment;
    if (options.Details) {
        provider.NeedsDetails = true;
        provider.PendingOperations |= PendingOperation::Details;
        FeedIntake::GrabProviderDetailsXMLComplete(provider, document, environment);
    }
    provider.PendingOperations |= PendingOperation::Stories;
    FeedIntake::GrabStoriesXMLComplete(provider, document, environment);
    return true;
}

void ReadText(Provider& provider, const Body& body, const Options& options) {
    provider.SetIsTextFormat(true);
    provider.TextFormatSpec = options.TextSpec;
    provider.PendingOperations |= PendingOperation::Stories;
    QuietIntakeEnvironment environment;
    FeedIntake::GrabStoriesTextFinish(provider, 200, TextDecoding::Decode(body.Bytes, body.Charset),
                                      environment);
}

bool IsWebAddress(const QString& source) {
    return source.startsWith(QStringLiteral("http://")) ||
           source.startsWith(QStringLiteral("https://"));
}

// Fetched with the program's own HTTP client and limits.
std::optional<Body> Download(const QString& url) {
    HttpRequest request;
    QEventLoop loop;
    QObject::connect(&request, &HttpRequest::Finished, &loop, &QEventLoop::quit);
    request.Open(url);
    request.Send();
    loop.exec();
    const QString refusal = FeedAnswer::Refusal(request);
    if (!refusal.isEmpty()) {
        Fail(QStringLiteral("%1: %2").arg(url, refusal), NotRead);
        return std::nullopt;
    }
    return Body{request.ResponseBody(), request.ResponseCharset(), request.ResponseURL()};
}

std::optional<Body> Load(const QString& source) {
    if (IsWebAddress(source))
        return Download(source);
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        Fail(QStringLiteral("%1: %2").arg(source, file.errorString()), NotRead);
        return std::nullopt;
    }
    return Body{file.readAll(), QString(), QUrl()};
}

int Read(const Options& options) {
    const std::optional<Body> body = Load(options.Source);
    if (!body)
        return NotRead;
    if (options.Xml) {
        std::fputs(XmlReport::AsJson(body->Bytes).constData(), stdout);
        return 0;
    }

    Provider provider;
    provider.Stories = std::make_shared<StoryCollection>();
    provider.ProviderName = options.Name;
    provider.SiteURL = options.Site;
    // With JSON the notices belong to the report, so that it alone says
    // everything a user would have seen.
    QStringList notices;
    if (options.Json)
        BackgroundNotice::SetSink([&notices](const QString& text) { notices.append(text); });
    const auto restoreSink = qScopeGuard([] { BackgroundNotice::SetSink(nullptr); });
    provider.DataURL = options.Source;
    if (options.IsText)
        ReadText(provider, *body, options);
    else if (!ReadXml(provider, *body, options))
        return NotRead;
    if (options.Json)
        std::fputs(FeedReport::AsJson(provider, notices).constData(), stdout);
    else
        std::fputs(qUtf8Printable(FeedReport::AsTable(provider)), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Varnocet"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads a feed document as Varnocet does and prints its stories.\n"
        "Exit status: 0 when the document was read (whatever its format), 1 when it could "
        "not be read or parsed, 2 on bad usage. Messages Varnocet would show go to standard "
        "error as \"message: <text>\", or with --json into the report's \"notices\".\n"
        "Times are shown in the zone TZ names."));
    parser.addHelpOption();
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Print JSON."));
    const QCommandLineOption details(QStringLiteral("details"),
                                     QStringLiteral("Read the provider's details first."));
    const QCommandLineOption name(QStringLiteral("name"), QStringLiteral("The provider's name."),
                                  QStringLiteral("NAME"));
    const QCommandLineOption site(QStringLiteral("site"), QStringLiteral("The provider's site."),
                                  QStringLiteral("URL"));
    const QCommandLineOption textSpec(QStringLiteral("text-spec"),
                                      QStringLiteral("Read SOURCE as a text feed of this layout."),
                                      QStringLiteral("SPEC"));
    const QCommandLineOption now(
        QStringLiteral("now"),
        QStringLiteral("Read as if it were this instant (ISO 8601, e.g. 2026-01-10T12:00:00Z): "
                       "stories without a time are dated by it."),
        QStringLiteral("TIME"));
    const QCommandLineOption address(
        QStringLiteral("url"),
        QStringLiteral("The address the document was fetched from; relative links are resolved "
                       "against it (by default SOURCE's, when that is an http(s) address)."),
        QStringLiteral("ADDRESS"));
    const QCommandLineOption xml(
        QStringLiteral("xml"),
        QStringLiteral("Print, as JSON, how the XML layer reads SOURCE: strictly and as feeds "
                       "are read, the tree of nodes and the document written back."));
    parser.addOptions({json, details, name, site, textSpec, now, address, xml});
    parser.addPositionalArgument(QStringLiteral("SOURCE"),
                                 QStringLiteral("A feed file, or an http(s) address."));

    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (parsed && parser.isSet(QStringLiteral("help")))
        parser.showHelp();
    if (!parsed || parser.positionalArguments().size() != 1) {
        const QString error = parser.errorText();
        Fail(error.isEmpty() ? QStringLiteral("expected one SOURCE") : error, Usage);
        std::fputs(qUtf8Printable(parser.helpText()), stderr);
        return Usage;
    }
    if (parser.isSet(now)) {
        const QDateTime instant = QDateTime::fromString(parser.value(now), Qt::ISODate);
        if (!instant.isValid())
            return Fail(QStringLiteral("--now: not an ISO 8601 time: %1").arg(parser.value(now)),
                        Usage);
        Clock::SetNow(instant);
    }
    const QUrl fetchedFrom(parser.value(address));
    if (parser.isSet(address) && (!fetchedFrom.isValid() || fetchedFrom.isRelative()))
        return Fail(QStringLiteral("--url needs an absolute address, scheme included"), Usage);
    return Read({parser.isSet(json), parser.isSet(details), parser.value(name), parser.value(site),
                 parser.value(textSpec), parser.isSet(textSpec), parser.isSet(xml),
                 parser.positionalArguments().constFirst(), fetchedFrom});
}
