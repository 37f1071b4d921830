#include "ui/MainForm.h"
#include "config/ProgramVersion.h"
#include "platform/SettingsStore.h"
#include "support/RecordingMessageBox.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class MainFormTest : public ::testing::Test {
protected:
    void WriteStore(const QByteArray& ini) {
        QFile file(folder.filePath(QStringLiteral("Varnocet.conf")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ini);
    }

    QByteArray StoreContents() const {
        QFile file(folder.filePath(QStringLiteral("Varnocet.conf")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
};

} // namespace

TEST_F(MainFormTest, FirstStartCountsOneInvocationAndShowsTheWindow) {
    SettingsStore store(folder.path());
    MainForm form(store);
    form.Load();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Varnocet"));
    EXPECT_EQ(form.ProgramSettings().Invocations, 1);
    EXPECT_EQ(form.ProgramSettings().PrefsVersion, QString());
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}

TEST_F(MainFormTest, CategoryTreeStartsHiddenWhateverWasStored) {
    WriteStore("[Preferences]\nShowCategories=True\nInvocations=4\n");
    SettingsStore store(folder.path());
    MainForm form(store);
    form.Load();
    EXPECT_FALSE(form.ProgramSettings().ShowCategories);
    EXPECT_EQ(form.ProgramSettings().Invocations, 5);
}

TEST_F(MainFormTest, ClosingWritesThePreferencesBack) {
    {
        SettingsStore store(folder.path());
        MainForm form(store);
        form.Load();
        form.move(300, 200);
        form.close();
        EXPECT_FALSE(form.isVisible());
    }
    const QByteArray ini = StoreContents();
    EXPECT_TRUE(ini.contains("Invocations=1\n"));
    EXPECT_TRUE(ini.contains("PrefsVersion=" + ProgramVersionString().toUtf8() + "\n"));
    EXPECT_TRUE(ini.contains("FormLeft=4500\n"));
    EXPECT_TRUE(ini.contains("FormTop=3000\n"));
}

TEST_F(MainFormTest, WindowFarToTheRightIsStoredInThirtyTwoBits) {
    SettingsStore store(folder.path());
    MainForm form(store);
    form.Load();
    form.move(2500, 10);
    form.ShutdownMainWindow();
    EXPECT_EQ(form.ProgramSettings().FormLeft, 37500);
    EXPECT_TRUE(StoreContents().contains("FormLeft=37500\n"));
}

TEST_F(MainFormTest, FailedSettingsWriteIsReportedAndShutdownCompletes) {
    QFile blocker(folder.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsStore store(folder.filePath(QStringLiteral("blocker/config")));
    MainForm form(store);
    form.Load();
    EXPECT_FALSE(form.WriteSettingsAndProviders(true, true));
    EXPECT_EQ(RecordingMessageBox::Instance().Texts,
              QStringList{QStringLiteral("Error in WriteSettingsAndProviders!")});
    form.close();
    EXPECT_FALSE(form.isVisible());
}

TEST_F(MainFormTest, ShutdownRunsOnce) {
    SettingsStore store(folder.path());
    MainForm form(store);
    form.Load();
    form.ShutdownMainWindow();
    QFile::remove(folder.filePath(QStringLiteral("Varnocet.conf")));
    form.close();
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("Varnocet.conf"))));
}
