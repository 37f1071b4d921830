#include "support/GoldenFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace {

QString Text(const QJsonValue& value) {
    const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(wrapped.mid(1, wrapped.size() - 2));
}

void CollectDifferences(const QString& place, const QJsonValue& expected, const QJsonValue& actual,
                        QStringList& lines) {
    if (expected.isObject() && actual.isObject()) {
        const QJsonObject was = expected.toObject();
        const QJsonObject is = actual.toObject();
        QStringList keys = was.keys() + is.keys();
        keys.removeDuplicates();
        keys.sort();
        for (const QString& key : keys)
            CollectDifferences(place.isEmpty() ? key : place + u'.' + key, was.value(key),
                               is.value(key), lines);
        return;
    }
    if (expected.isArray() && actual.isArray()) {
        const QJsonArray was = expected.toArray();
        const QJsonArray is = actual.toArray();
        for (qsizetype i = 0; i < std::max(was.size(), is.size()); ++i)
            CollectDifferences(QStringLiteral("%1[%2]").arg(place).arg(i),
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

void Rewrite(const QString& expectedFile, const QJsonObject& actual) {
    QSaveFile file(expectedFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << file.errorString().toStdString();
    file.write(QJsonDocument(actual).toJson(QJsonDocument::Indented));
    ASSERT_TRUE(file.commit()) << file.errorString().toStdString();
}

} // namespace

namespace GoldenFile {

bool Regenerating() {
    return qEnvironmentVariableIntValue("VARNOCET_REGENERATE") == 1;
}

QStringList FilesUnder(const QString& folder) {
    const QDir root(folder);
    QStringList files;
    QDirIterator it(root.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(root.relativeFilePath(it.next()));
    files.sort();
    return files;
}

std::vector<std::string> Cases(const QString& folder, const QString& suffix) {
    std::vector<std::string> cases;
    for (const QString& file : FilesUnder(folder)) {
        if (file.endsWith(suffix))
            cases.push_back(file.toStdString());
    }
    return cases;
}

QString Stem(const QString& file) {
    const qsizetype dot = file.lastIndexOf(u'.');
    return dot > file.lastIndexOf(u'/') ? file.left(dot) : file;
}

std::string TestName(const std::string& file) {
    std::string name = file;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

std::string CaseName(const ::testing::TestParamInfo<std::string>& info) {
    return TestName(info.param);
}

QStringList Differences(const QJsonValue& expected, const QJsonValue& actual) {
    QStringList lines;
    CollectDifferences(QString(), expected, actual, lines);
    return lines;
}

void CheckFields(const QJsonObject& expected, const QJsonObject& actual) {
    QJsonObject named;
    for (auto field = expected.begin(); field != expected.end(); ++field)
        named.insert(field.key(), actual.value(field.key()));
    const QStringList differences = Differences(expected, named);
    EXPECT_TRUE(differences.isEmpty()) << differences.join(u'\n').toStdString();
}

void Check(const QString& expectedFile, const QJsonObject& actual, const QString& caseName,
           const QString& test) {
    if (Regenerating()) {
        Rewrite(expectedFile, actual);
        return;
    }
    QFile file(expectedFile);
    if (!file.open(QIODevice::ReadOnly))
        FAIL() << caseName.toStdString() << " has no expected file " << expectedFile.toStdString()
               << "; VARNOCET_REGENERATE=1 ctest -R " << test.toStdString()
               << " writes it, for review";
    QJsonParseError error;
    const QJsonDocument expected = QJsonDocument::fromJson(file.readAll(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QStringList lines = Differences(expected.object(), actual);
    if (!lines.isEmpty())
        ADD_FAILURE() << caseName.toStdString() << " differs from its expected file:\n  "
                      << lines.join(QStringLiteral("\n  ")).toStdString()
                      << "\n(VARNOCET_REGENERATE=1 ctest -R " << test.toStdString()
                      << " rewrites the expected files, for review)";
}

} // namespace GoldenFile
