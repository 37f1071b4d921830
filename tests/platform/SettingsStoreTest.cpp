#include "platform/SettingsStore.h"
#include "platform/ProgramError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString App = QStringLiteral("Varnocet");
const QString Section = QStringLiteral("Preferences");

class SettingsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
};

} // namespace

TEST_F(SettingsStoreTest, AbsentKeyGivesTheDefault) {
    SettingsStore store(folder.path());
    EXPECT_EQ(store.Get(App, Section, QStringLiteral("AutoFlip"), QStringLiteral("False")),
              QStringLiteral("False"));
}

TEST_F(SettingsStoreTest, SavedValuesSurviveInTheNamedFile) {
    const QStringList values = {QStringLiteral("True"),
                                QStringLiteral("a, b, c"),
                                QStringLiteral("  leading and trailing  "),
                                QStringLiteral("key=value; [section] #hash"),
                                QStringLiteral("Zürich — 日本"),
                                QStringLiteral("@atsign"),
                                QString()};
    {
        SettingsStore store(folder.path());
        for (int i = 0; i < values.size(); ++i)
            store.Save(App, Section, QStringLiteral("Key%1").arg(i), values[i]);
        store.Sync();
    }
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("Varnocet.conf"))));
    SettingsStore reread(folder.path());
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(reread.Get(App, Section, QStringLiteral("Key%1").arg(i), QStringLiteral("?")),
                  values[i]);
}

TEST_F(SettingsStoreTest, KeysAreCaseSensitiveAndSectionsSeparate) {
    SettingsStore store(folder.path());
    store.Save(App, Section, QStringLiteral("FormTop"), QStringLiteral("1"));
    store.Save(App, QStringLiteral("Settings"), QStringLiteral("FormTop"), QStringLiteral("2"));
    EXPECT_EQ(store.Get(App, Section, QStringLiteral("formtop"), QStringLiteral("none")),
              QStringLiteral("none"));
    EXPECT_EQ(store.Get(App, QStringLiteral("Settings"), QStringLiteral("FormTop"), QString()),
              QStringLiteral("2"));
}

TEST_F(SettingsStoreTest, DeleteSectionRemovesOnlyThatSection) {
    SettingsStore store(folder.path());
    store.Save(App, Section, QStringLiteral("Old"), QStringLiteral("1"));
    store.Save(App, QStringLiteral("Settings"), QStringLiteral("Kept"), QStringLiteral("2"));
    store.DeleteSection(App, Section);
    store.DeleteSection(App, QStringLiteral("NoSuchSection"));
    store.Sync();
    SettingsStore reread(folder.path());
    EXPECT_EQ(reread.Get(App, Section, QStringLiteral("Old"), QStringLiteral("gone")),
              QStringLiteral("gone"));
    EXPECT_EQ(reread.Get(App, QStringLiteral("Settings"), QStringLiteral("Kept"), QString()),
              QStringLiteral("2"));
}

TEST_F(SettingsStoreTest, CreatesAMissingFolder) {
    const QString nested = folder.filePath(QStringLiteral("new/config"));
    SettingsStore store(nested);
    store.Save(App, Section, QStringLiteral("Key"), QStringLiteral("v"));
    store.Sync();
    EXPECT_TRUE(QFile::exists(QDir(nested).filePath(QStringLiteral("Varnocet.conf"))));
}

TEST_F(SettingsStoreTest, HandEditedListReadsAsText) {
    QFile file(folder.filePath(QStringLiteral("Varnocet.conf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Preferences]\nUserEmailAddress=a, b\n");
    file.close();
    SettingsStore store(folder.path());
    EXPECT_EQ(store.Get(App, Section, QStringLiteral("UserEmailAddress"), QString()),
              QStringLiteral("a, b"));
}

TEST_F(SettingsStoreTest, UnwritableStoreThrowsOnSync) {
    // A file where the folder should be: nothing can be created below it.
    const QString blocker = folder.filePath(QStringLiteral("blocker"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    SettingsStore store(QDir(blocker).filePath(QStringLiteral("config")));
    store.Save(App, Section, QStringLiteral("Key"), QStringLiteral("v"));
    EXPECT_THROW(store.Sync(), ProgramError);
}
