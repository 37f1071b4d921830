// varnocet-read: reads one feed document through exactly the intake and
// readers Varnocet uses, and prints what a user would see.
#include "FeedReport.h"

#include "feeds/FeedIntake.h"
#include "feeds/QuietIntakeEnvironment.h"
#include "model/Provider.h"
#include "platform/TextDecoding.h"
#include "platform/XmlDocument.h"
#include "retrieval/HttpRequest.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>

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
    QString Source;
};

int Fail(const QString& message, int code) {
    std::fprintf(stderr, "varnocet-read: %s\n", qUtf8Printable(message));
    return code;
}

bool ReadXml(Provider& provider, const QByteArray& bytes, const Options& options) {
    XmlDocument document;
    if (!document.LoadXML(bytes, XmlDocument::Malformed::Recover)) {
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
        provider.PendingOperations |= 2;
        FeedIntake::GrabProviderDetailsXMLComplete(provider, document, environment);
    }
    provider.PendingOperations |= 1;
    FeedIntake::GrabStoriesXMLComplete(provider, document, environment);
    return true;
}

// What the source holds, and the charset its server named (text feeds are
// decoded by it).
struct Body {
    QByteArray Bytes;
    QString Charset;
};

void ReadText(Provider& provider, const Body& body, const Options& options) {
    provider.SetIsTextFormat(true);
    provider.TextFormatSpec = options.TextSpec;
    provider.PendingOperations |= 1;
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
    if (!request.ErrorString().isEmpty()) {
        Fail(QStringLiteral("%1: %2").arg(url, request.ErrorString()), NotRead);
        return std::nullopt;
    }
    if (!request.Succeeded()) {
        Fail(
            QStringLiteral("%1: the server answered with status %2").arg(url).arg(request.Status()),
            NotRead);
        return std::nullopt;
    }
    return Body{request.ResponseBody(), request.ResponseCharset()};
}

std::optional<Body> Load(const QString& source) {
    if (IsWebAddress(source))
        return Download(source);
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        Fail(QStringLiteral("%1: %2").arg(source, file.errorString()), NotRead);
        return std::nullopt;
    }
    return Body{file.readAll(), QString()};
}

int Read(const Options& options) {
    const std::optional<Body> body = Load(options.Source);
    if (!body)
        return NotRead;

    Provider provider;
    provider.stCollStories = std::make_shared<StoryCollection>();
    provider.ProviderName = options.Name;
    provider.SiteURL = options.Site;
    provider.DataURL = options.Source;
    if (options.IsText)
        ReadText(provider, *body, options);
    else if (!ReadXml(provider, body->Bytes, options))
        return NotRead;
    if (options.Json)
        std::fputs(FeedReport::AsJson(provider).constData(), stdout);
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
        "error as \"message: <text>\"."));
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
    parser.addOptions({json, details, name, site, textSpec});
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
    return Read({parser.isSet(json), parser.isSet(details), parser.value(name), parser.value(site),
                 parser.value(textSpec), parser.isSet(textSpec),
                 parser.positionalArguments().constFirst()});
}
