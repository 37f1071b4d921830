#pragma once

#include "platform/ProgramError.h"

#include "support/GoldenFile.h"
#include "support/TestData.h"

#include <QFile>
#include <QJsonObject>
#include <QString>

#include <gtest/gtest.h>

// A fuzz target's corpus doubles as a case table: beside each input lies
// what the program makes of it, as <input>.expected.json, which the replay
// of the corpus skips. VARNOCET_REGENERATE=1 rewrites the expected files.
namespace FuzzCorpus {

inline QString Folder(const QString& target) {
    return QStringLiteral(VARNOCET_TEST_DATA_DIR "/../../fuzz/corpus/") + target;
}

// Compares what `dump` makes of each input text of `target`'s corpus with
// its expected file; `test` is the ctest name that regenerates them.
template <typename Dump>
void CheckEach(const QString& target, Dump dump, const QString& test) {
    const QString folder = Folder(target);
    int inputs = 0;
    const QString suffix = QStringLiteral(".expected.json");
    for (const QString& file : GoldenFile::FilesUnder(folder)) {
        const QString path = folder + u'/' + file;
        if (file.endsWith(suffix)) {
            // Left behind by a renamed input, it would be forgotten silently.
            EXPECT_TRUE(QFile::exists(path.chopped(suffix.size())))
                << file.toStdString() << " has no input beside it";
            continue;
        }
        const QJsonObject actual = dump(QString::fromUtf8(TestData::ReadFile(path)));
        GoldenFile::Check(path + suffix, actual, target + u'/' + file, test);
        ++inputs;
    }
    EXPECT_GT(inputs, 0) << target.toStdString();
}

// What `read` makes of an input, or the reason it refuses it.
template <typename Read>
QJsonValue Strictly(Read read) {
    try {
        return QJsonValue(read());
    } catch (const ProgramError& error) {
        return QJsonValue(QStringLiteral("error: ") + error.Reason());
    }
}

} // namespace FuzzCorpus
