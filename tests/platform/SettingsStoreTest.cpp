#include "platform/SettingsStore.h"
#include "platform/ProgramError.h"

#include "support/TestData.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString App = QStringLiteral("Varnocet");
const QString Section = QStringLiteral("Preferences");
const QString Other = QStringLiteral("Settings");

class SettingsStoreTest : public ::testing::Test {
protected:
    // A file where a folder should be, or where the settings file goes.
    QString WriteFile(const QString& name, const QByteArray& bytes) {
        return TestData::Write(folder.filePath(name), bytes);
    }

    QTemporaryDir folder;
};

} // namespace

TEST_F(SettingsStoreTest, SavedValuesSurviveInTheNamedFileOfANewFolder) {
    const QStringList values = {"True",
                                "a, b, c",
                                "  leading and trailing  ",
                                "key=value; [section] #hash",
                                "Zürich — 日本",
                                "@atsign",
                                QString()};
    const QString nested = folder.filePath(QStringLiteral("new/config"));
    {
        SettingsStore store(nested);
        for (int i = 0; i < values.size(); ++i)
            store.Save(App, Section, QStringLiteral("Key%1").arg(i), values[i]);
        store.Sync();
    }
    EXPECT_TRUE(QFile::exists(QDir(nested).filePath(QStringLiteral("Varnocet.conf"))));
    SettingsStore reread(nested);
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(reread.Get(App, Section, QStringLiteral("Key%1").arg(i), "?"), values[i]) << i;
}

// Keys match letter case, sections are separate and deleting one leaves
// the others; a hand-edited list reads as text.
TEST_F(SettingsStoreTest, KeysSectionsAndHandEditedValues) {
    WriteFile("Varnocet.conf", "[Preferences]\nUserEmailAddress=a, b\n");
    SettingsStore store(folder.path());
    EXPECT_EQ(store.Get(App, Section, "UserEmailAddress", QString()), "a, b");
    store.Save(App, Section, "FormTop", "1");
    store.Save(App, Other, "FormTop", "2");
    EXPECT_EQ(store.Get(App, Section, "formtop", "none"), "none");
    store.DeleteSection(App, Section);
    store.DeleteSection(App, "NoSuchSection");
    store.Sync();
    SettingsStore reread(folder.path());
    EXPECT_EQ(reread.Get(App, Section, "FormTop", "gone"), "gone");
    EXPECT_EQ(reread.Get(App, Other, "FormTop", QString()), "2");
}

TEST_F(SettingsStoreTest, UnwritableStoreThrowsOnSync) {
    // Nothing can be created below a file.
    SettingsStore store(QDir(WriteFile("blocker", {})).filePath(QStringLiteral("config")));
    store.Save(App, Section, "Key", "v");
    EXPECT_THROW(store.Sync(), ProgramError);
}
