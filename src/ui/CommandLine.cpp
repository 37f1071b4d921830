#include "ui/CommandLine.h"

#include "config/ProgramVersion.h"

#include <QCommandLineParser>

#include <cstdio>

namespace CommandLine {

std::optional<int> HandleInformational(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Varnocet, a desktop headline reader."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the program's version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "varnocet: %s\n", qUtf8Printable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(help)) {
        std::printf("Usage: varnocet [options]\n%s\n",
                    qUtf8Printable(parser.helpText().section(QLatin1Char('\n'), 1)));
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("varnocet %s\n", qUtf8Printable(ProgramVersionString()));
        return 0;
    }
    return std::nullopt;
}

} // namespace CommandLine
