// Feed documents beside what Varnocet makes of them. Every file under
// data/feeds/<format>/ is a document: varnocet-read reads it (with the
// arguments of NAME.args, one a line, when there is one) and its JSON must
// equal NAME.expected.json. A new case is two files and no code.
//
// VARNOCET_REGENERATE=1 rewrites the expected files instead of comparing;
// the change is then reviewed like code.
#include "support/GoldenFile.h"
#include "support/TestData.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every case is read at the same instant and in a zone with summer time, so
// that both a zone's offset and its rules show in the expected times.
const QString Now = QStringLiteral("2026-01-10T12:00:00Z");
const QByteArray Zone = "Europe/Berlin";

const QString ExpectedSuffix = QStringLiteral(".expected.json");
const QString ArgumentsSuffix = QStringLiteral(".args");

QDir Feeds() {
    return QDir(TestData::Path(QStringLiteral("feeds")));
}

bool IsDocument(const QString& path) {
    return !path.endsWith(ExpectedSuffix) && !path.endsWith(ArgumentsSuffix);
}

std::vector<std::string> Documents() {
    std::vector<std::string> documents;
    for (const QString& file : GoldenFile::FilesUnder(Feeds().path())) {
        if (IsDocument(file))
            documents.push_back(file.toStdString());
    }
    return documents;
}

QStringList ExtraArguments(const QString& document) {
    const QByteArray lines =
        TestData::ReadFile(Feeds().filePath(GoldenFile::Stem(document) + ArgumentsSuffix));
    if (lines.isEmpty())
        return {};
    QStringList arguments = QString::fromUtf8(lines).split(u'\n');
    if (arguments.constLast().isEmpty())
        arguments.removeLast();
    return arguments;
}

// The tool's report, or what it said when it could not read the document
// (with the document's address as the case names it, the same on every
// machine).
QJsonObject Report(const QString& document) {
    const QString path = Feeds().filePath(document);
    const ToolRun run =
        ToolRun::Of(QStringLiteral(VARNOCET_READ_TOOL),
                    QStringList{QStringLiteral("--json"), QStringLiteral("--details"),
                                QStringLiteral("--now"), Now} +
                        ExtraArguments(document) + QStringList{path});
    if (run.ExitCode == 0)
        return QJsonDocument::fromJson(run.Out).object();
    return {{QStringLiteral("exitCode"), run.ExitCode},
            {QStringLiteral("error"), QString::fromUtf8(run.Err).replace(path, document)}};
}

class FeedsGoldenTest : public ::testing::TestWithParam<std::string> {
protected:
    static void SetUpTestSuite() { qputenv("TZ", Zone); }
};

TEST_P(FeedsGoldenTest, ReadsAsExpected) {
    const QString document = QString::fromStdString(GetParam());
    GoldenFile::Check(Feeds().filePath(GoldenFile::Stem(document) + ExpectedSuffix),
                      Report(document), document, QStringLiteral("feeds_golden"));
}

INSTANTIATE_TEST_SUITE_P(Documents, FeedsGoldenTest, ::testing::ValuesIn(Documents()),
                         GoldenFile::CaseName);

// An expected file or arguments left behind by a renamed document would
// otherwise be forgotten silently.
TEST(FeedsGoldenFilesTest, EverySidecarHasItsDocument) {
    QStringList stems;
    for (const QString& file : GoldenFile::FilesUnder(Feeds().path())) {
        if (IsDocument(file))
            stems.append(GoldenFile::Stem(file));
    }
    for (const QString& file : GoldenFile::FilesUnder(Feeds().path())) {
        if (IsDocument(file))
            continue;
        const QString suffix = file.endsWith(ExpectedSuffix) ? ExpectedSuffix : ArgumentsSuffix;
        if (!stems.contains(file.chopped(suffix.size())))
            ADD_FAILURE() << file.toStdString() << " has no document beside it";
    }
}

// XML documents beside how the XML layer reads them (varnocet-read --xml):
// every data/xml/NAME.xml beside NAME.expected.json, and the malformed feeds
// beside xml/malformed-feeds/NAME.expected.json, apart from what the feed
// reader makes of them.
QDir XmlCases() {
    return QDir(TestData::Path(QStringLiteral("xml")));
}

// Relative to data/.
std::vector<std::string> XmlDocuments() {
    std::vector<std::string> documents;
    for (const std::string& file : GoldenFile::Cases(XmlCases().path(), QStringLiteral(".xml")))
        documents.push_back("xml/" + file);
    for (const std::string& file :
         GoldenFile::Cases(Feeds().filePath(QStringLiteral("malformed")), QStringLiteral(".xml")))
        documents.push_back("feeds/malformed/" + file);
    return documents;
}

class XmlGoldenTest : public ::testing::TestWithParam<std::string> {};

TEST_P(XmlGoldenTest, ReadsAsExpected) {
    const QString document = QString::fromStdString(GetParam());
    const ToolRun run = ToolRun::Of(QStringLiteral(VARNOCET_READ_TOOL),
                                    {QStringLiteral("--xml"), TestData::Path(document)});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QString expected = GoldenFile::Stem(document).replace(
        QStringLiteral("feeds/malformed/"), QStringLiteral("xml/malformed-feeds/"));
    GoldenFile::Check(TestData::Path(expected + ExpectedSuffix),
                      QJsonDocument::fromJson(run.Out).object(), document,
                      QStringLiteral("feeds_golden"));
}

INSTANTIATE_TEST_SUITE_P(Documents, XmlGoldenTest, ::testing::ValuesIn(XmlDocuments()),
                         GoldenFile::CaseName);

TEST(XmlGoldenFilesTest, EveryExpectedFileHasItsDocument) {
    for (const QString& file : GoldenFile::FilesUnder(XmlCases().path())) {
        QString document = GoldenFile::Stem(GoldenFile::Stem(file)) + QStringLiteral(".xml");
        document.replace(QStringLiteral("malformed-feeds/"), QStringLiteral("../feeds/malformed/"));
        EXPECT_TRUE(QFile::exists(XmlCases().filePath(document))) << file.toStdString();
    }
}

} // namespace
