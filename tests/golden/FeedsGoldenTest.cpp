// Feed documents beside what Varnocet makes of them. Every file under
// data/feeds/<format>/ is a document: varnocet-read reads it (with the
// arguments of NAME.args, one a line, when there is one) and its JSON must
// equal NAME.expected.json. A new case is two files and no code.
//
// VARNOCET_REGENERATE=1 rewrites the expected files instead of comparing;
// the change is then reviewed like code.
#include "support/TestData.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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

// "rss/rss20.xml" -> "rss/rss20": what the files beside a document start with.
QString Stem(const QString& document) {
    const qsizetype dot = document.lastIndexOf(u'.');
    return dot > document.lastIndexOf(u'/') ? document.left(dot) : document;
}

QStringList FilesUnderFeeds() {
    QStringList files;
    QDirIterator it(Feeds().path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(Feeds().relativeFilePath(it.next()));
    files.sort();
    return files;
}

std::vector<std::string> Documents() {
    std::vector<std::string> documents;
    for (const QString& file : FilesUnderFeeds()) {
        if (IsDocument(file))
            documents.push_back(file.toStdString());
    }
    return documents;
}

QStringList ExtraArguments(const QString& document) {
    QFile file(Feeds().filePath(Stem(document) + ArgumentsSuffix));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList arguments = QString::fromUtf8(file.readAll()).split(u'\n');
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

QString Text(const QJsonValue& value) {
    const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(wrapped.mid(1, wrapped.size() - 2));
}

// One line per difference, named by its place in the report
// ("stories[2].time: expected ..., got ...").
void Differences(const QString& place, const QJsonValue& expected, const QJsonValue& actual,
                 QStringList& lines) {
    if (expected.isObject() && actual.isObject()) {
        const QJsonObject was = expected.toObject();
        const QJsonObject is = actual.toObject();
        QStringList keys = was.keys() + is.keys();
        keys.removeDuplicates();
        keys.sort();
        for (const QString& key : keys)
            Differences(place.isEmpty() ? key : place + u'.' + key, was.value(key), is.value(key),
                        lines);
        return;
    }
    if (expected.isArray() && actual.isArray()) {
        const QJsonArray was = expected.toArray();
        const QJsonArray is = actual.toArray();
        for (qsizetype i = 0; i < std::max(was.size(), is.size()); ++i)
            Differences(QStringLiteral("%1[%2]").arg(place).arg(i),
                        i < was.size() ? was.at(i) : QJsonValue(QJsonValue::Undefined),
                        i < is.size() ? is.at(i) : QJsonValue(QJsonValue::Undefined), lines);
        return;
    }
    if (expected == actual)
        return;
    if (expected.isUndefined())
        lines.append(QStringLiteral("%1: unexpected %2").arg(place, Text(actual)));
    else if (actual.isUndefined())
        lines.append(QStringLiteral("%1: missing, expected %2").arg(place, Text(expected)));
    else
        lines.append(
            QStringLiteral("%1: expected %2, got %3").arg(place, Text(expected), Text(actual)));
}

bool Regenerating() {
    return qEnvironmentVariableIntValue("VARNOCET_REGENERATE") == 1;
}

class FeedsGoldenTest : public ::testing::TestWithParam<std::string> {
protected:
    static void SetUpTestSuite() { qputenv("TZ", Zone); }
};

TEST_P(FeedsGoldenTest, ReadsAsExpected) {
    const QString document = QString::fromStdString(GetParam());
    const QString expectedPath = Feeds().filePath(Stem(document) + ExpectedSuffix);
    const QJsonObject actual = Report(document);

    if (Regenerating()) {
        QSaveFile file(expectedPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << file.errorString().toStdString();
        file.write(QJsonDocument(actual).toJson(QJsonDocument::Indented));
        ASSERT_TRUE(file.commit()) << file.errorString().toStdString();
        return;
    }
    QFile file(expectedPath);
    if (!file.open(QIODevice::ReadOnly))
        FAIL() << document.toStdString() << " has no expected file "
               << Feeds().relativeFilePath(expectedPath).toStdString()
               << "; VARNOCET_REGENERATE=1 ctest -R feeds_golden writes it, for review";
    QJsonParseError error;
    const QJsonDocument expected = QJsonDocument::fromJson(file.readAll(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();

    QStringList lines;
    Differences(QString(), expected.object(), actual, lines);
    if (!lines.isEmpty())
        ADD_FAILURE() << document.toStdString() << " reads differently:\n  "
                      << lines.join(QStringLiteral("\n  ")).toStdString()
                      << "\n(VARNOCET_REGENERATE=1 ctest -R feeds_golden rewrites the expected "
                         "files, for review)";
}

std::string CaseName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Documents, FeedsGoldenTest, ::testing::ValuesIn(Documents()), CaseName);

// An expected file or arguments left behind by a renamed document would
// otherwise be forgotten silently.
TEST(FeedsGoldenFilesTest, EverySidecarHasItsDocument) {
    QStringList stems;
    for (const QString& file : FilesUnderFeeds()) {
        if (IsDocument(file))
            stems.append(Stem(file));
    }
    for (const QString& file : FilesUnderFeeds()) {
        if (IsDocument(file))
            continue;
        const QString suffix = file.endsWith(ExpectedSuffix) ? ExpectedSuffix : ArgumentsSuffix;
        if (!stems.contains(file.chopped(suffix.size())))
            ADD_FAILURE() << file.toStdString() << " has no document beside it";
    }
}

} // namespace
