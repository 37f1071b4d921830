#include "ui/SettingsForm.h"

#include "config/SettingsIO.h"
#include "core/ProgramCore.h"
#include "model/ProviderCollection.h"
#include "platform/SettingsStore.h"
#include "support/EnvironmentVariable.h"
#include "support/EventWait.h"
#include "support/ProductsFile.h"
#include "support/ProgramHome.h"
#include "support/SilentReport.h"
#include "support/StatusRecorder.h"
#include "ui/GeneralPage.h"
#include "ui/SettingsDialog.h"
#include "ui/UpdatesPage.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QSlider>
#include <QTabWidget>

namespace {

// The dialog over a loaded program in a temporary home.
class SettingsFormTest : public ProgramHome {
protected:
    void SetUp() override {
        WriteStore("[Preferences]\nInvocations=3\n");
        WriteProviders("<providers>" + ProviderElement(1, "A", QUrl("http://127.0.0.1:9/a")) +
                       "</providers>");
        Start();
    }

    void Start() {
        NewProgram();
        core->Load(QSize(15360, 11520), progress, report);
    }

    // The preferences as the store writes them, one "key=value" per line.
    QStringList Stored(const Settings& settings) {
        QTemporaryDir storeFolder;
        SettingsStore store(storeFolder.path());
        SettingsIO::WriteSettings(store, QStringLiteral("Varnocet"), settings);
        store.Sync();
        return QString::fromUtf8(Read(store.FilePath(QStringLiteral("Varnocet"))))
            .split(u'\n', Qt::SkipEmptyParts);
    }

    // The buttons of the preference pages: check boxes and options.
    QList<QAbstractButton*> PreferenceButtons(const SettingsForm& form) const {
        QList<QAbstractButton*> buttons;
        for (QWidget* page : {static_cast<QWidget*>(form.findChild<GeneralPage*>()),
                              static_cast<QWidget*>(form.findChild<UpdatesPage*>())})
            for (QAbstractButton* button : page->findChildren<QAbstractButton*>())
                if (button->isCheckable())
                    buttons.append(button);
        return buttons;
    }

    static void Click(QDialog& dialog, QDialogButtonBox::StandardButton which) {
        dialog.findChild<QDialogButtonBox*>()->button(which)->click();
    }

    StatusRecorder progress;
    SilentReport report;
};

// Every box and option stands for one preference of its own, is filled from
// it and writes it back.
TEST_F(SettingsFormTest, EachBoxAndOptionWritesItsOwnPreference) {
    const Settings base = core->ProgramSettings();
    const QStringList stored = Stored(base);
    SettingsForm form(*core, {});
    QSet<QString> keys;
    QSet<QString> modes;
    const QList<QAbstractButton*> buttons = PreferenceButtons(form);
    ASSERT_EQ(buttons.size(), 21);
    for (QAbstractButton* button : buttons) {
        form.SettingsIn(base, core->Providers(), "/::/", false);
        button->click();
        Settings edited = base;
        form.SettingsOut(edited);
        QStringList changed;
        for (const QString& line : Stored(edited))
            if (!stored.contains(line))
                changed.append(line);
        if (button->autoExclusive()) {
            modes.insert(changed.join(u','));
            continue;
        }
        ASSERT_EQ(changed.size(), 1) << qPrintable(button->objectName());
        const QString key = changed.first().section(u'=', 0, 0);
        EXPECT_FALSE(keys.contains(key)) << qPrintable(key);
        keys.insert(key);

        form.SettingsIn(edited, core->Providers(), "/::/", false);
        Settings again = base;
        form.SettingsOut(again);
        EXPECT_EQ(Stored(again), Stored(edited)) << qPrintable(button->objectName());
    }
    // The stored mode's option changes nothing; the others one value each.
    EXPECT_EQ(modes, QSet<QString>({"", "BackgroundUpdateMode=0", "BackgroundUpdateMode=2"}));
}

TEST_F(SettingsFormTest, HelpOpensTheTopicOfTheTabOnShow) {
    QStringList topics;
    SettingsForm form(*core, [&](const QString& topic) { topics.append(topic); });
    form.SettingsIn(core->ProgramSettings(), core->Providers(), "/::/", false);
    auto* tabs = form.findChild<QTabWidget*>();
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        Click(form, QDialogButtonBox::Help);
    }
    EXPECT_EQ(topics, QStringList({"SettingsGeneral", "SettingsUpdates", "SettingsProviders",
                                   "SettingsStatistics", "SettingsSkins", "SettingsLocations",
                                   "SettingsCategories"}));
}

// Through the window's dialog: Cancel keeps nothing, OK puts everything into
// effect and writes it. The flip interval is counted in seconds (the
// singular is the list editor's count label).
TEST_F(SettingsFormTest, CancelKeepsNothingAndOkAppliesAndWrites) {
    QMainWindow window;
    SettingsDialog dialog(*core, window, {});
    const Settings before = core->ProgramSettings();
    for (const bool ok : {false, true}) {
        dialog.Show(false);
        SettingsForm* form = dialog.Form();
        ASSERT_NE(form, nullptr);
        EXPECT_TRUE(core->Flags().Suspended);
        form->findChild<QAbstractButton*>("chkAutoFlip")->click();
        auto* interval = form->findChild<QSlider*>("sldFlipInterval");
        const auto* label = form->findChild<QLabel*>("txtFlipMinutes");
        interval->setValue(77);
        EXPECT_EQ(label->text(), "(77 seconds)");
        Click(*form, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        EXPECT_FALSE(core->Flags().Suspended);
        EXPECT_EQ(core->ProgramSettings().FlipInterval, ok ? 77 : before.FlipInterval);
        EXPECT_EQ(core->ProgramSettings().AutoFlip, ok != before.AutoFlip);
        EXPECT_EQ(StoreContents().contains("FlipInterval=77"), ok);
    }
}

// What the check answers is the core's; Check Now is off while the check
// runs, shows the answer in a box over the dialog and can be pressed again.
TEST_F(SettingsFormTest, CheckNowAnswersInABoxOverTheDialog) {
    const EnvironmentVariable address("VARNOCET_PRODUCTS_URL",
                                      ProductsFile::ClosedAddress().toUtf8());
    Start();
    SettingsForm form(*core, {});
    form.SettingsIn(core->ProgramSettings(), core->Providers(), "/::/", false);
    form.show();
    auto* checkNow = form.findChild<QPushButton*>("btnCheckForUpdate");
    ASSERT_NE(checkNow, nullptr);
    checkNow->click();
    EXPECT_FALSE(checkNow->isEnabled());
    QMessageBox* answer = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (answer = form.findChild<QMessageBox*>()) != nullptr; }));
    EXPECT_EQ(answer->text(), "The update check failed. Try again later.");
    EXPECT_TRUE(answer->isVisible());
    EXPECT_EQ(answer->windowModality(), Qt::WindowModal);
    EXPECT_TRUE(checkNow->isEnabled());
}

} // namespace
