#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Cases kept as files beside what the program makes of them, as JSON in an
// expected file. VARNOCET_REGENERATE=1 rewrites the expected files instead
// of comparing; the change is then reviewed like code.
namespace GoldenFile {

bool Regenerating();

// The files under `folder` (and its subfolders), relative to it, sorted.
QStringList FilesUnder(const QString& folder);
// The files under `folder` whose names end in `suffix`: a case each.
std::vector<std::string> Cases(const QString& folder, const QString& suffix);
// "rss/rss20.xml" -> "rss/rss20": what the files beside a case start with.
QString Stem(const QString& file);
// A case's file as a test name: letters and digits, the rest "_".
std::string TestName(const std::string& file);
// TestName for INSTANTIATE_TEST_SUITE_P over Cases.
std::string CaseName(const ::testing::TestParamInfo<std::string>& info);

// One line per difference, named by its place in the JSON
// ("stories[2].time: expected ..., got ...").
QStringList Differences(const QJsonValue& expected, const QJsonValue& actual);

// Fails the running test at every field of `expected` that `actual` holds
// otherwise: a hand-written expectation that names only what a case is
// about.
void CheckFields(const QJsonObject& expected, const QJsonObject& actual);

// Compares `actual` with the expected file of `caseName`, or rewrites that
// file when regenerating. A missing file or a difference fails the running
// test, telling how to regenerate (`test` is the ctest name).
void Check(const QString& expectedFile, const QJsonObject& actual, const QString& caseName,
           const QString& test);

} // namespace GoldenFile
