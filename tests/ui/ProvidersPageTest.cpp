#include "ui/ProvidersPage.h"

#include "core/RepeatSchedule.h"
#include "model/PendingOperation.h"
#include "support/EventWait.h"
#include "support/ListLines.h"
#include "support/NamedProviders.h"
#include "support/ProgramHome.h"
#include "support/RecordingMessageBox.h"
#include "ui/AddFeedDialog.h"
#include "ui/CategoryPathTree.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

namespace {

using namespace std::chrono_literals;
using Answer = MessageBoxPresenter::Answer;

// Answers the modal dialog of type T that `button` opens.
template <typename T>
void AnswerDialog(QPushButton* button, const std::function<void(T&)>& answer) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
    button->click();
}

// A feed with a name, a site and a description, served on this machine.
const QByteArray DetailedFeed =
    "<rss version=\"2.0\"><channel><title>Harbour News</title><link>http://127.0.0.1/site</link>"
    "<description>From the harbour</description><item><title>Ships</title></item></channel></rss>";

// The Providers tab over a working copy, as the settings dialog shows it.
class ProvidersPageTest : public ProgramHome {
protected:
    void Open(const QStringList& names, const QString& selected = QStringLiteral("/::/")) {
        providers = NamedProviders(names, base);
        OpenList(selected);
    }

    void OpenList(const QString& selected = QStringLiteral("/::/")) {
        if (core == nullptr)
            NewProgram();
        page = std::make_unique<ProvidersPage>(
            *core, [this](qsizetype count) { return count > 1 ? confirmMultiple : confirmSingle; });
        modified = std::make_unique<QSignalSpy>(page.get(), &ProvidersPage::Modified);
        page->In(*providers, selected, masterListDate);
    }

    template <typename T = QWidget>
    T* Child(const char* name) const {
        T* child = page->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    QListWidget* List() const { return Child<QListWidget>("lstProviders"); }

    QStringList ListLines() const { return ::ListLines(*List()); }

    // The list as shown, "*" on each selected line, then the count; the
    // working copy's order too when it is not the one shown.
    QString State() const {
        QStringList lines;
        for (int row = 0; row < List()->count(); ++row)
            lines.append(List()->item(row)->text() +
                         (List()->item(row)->isSelected() ? QStringLiteral("*") : QString()));
        QString state =
            lines.join(u' ') + QStringLiteral(" | ") + Child<QLabel>("labProviderCount")->text();
        if (ProviderNames(*providers) != ListLines())
            state += QStringLiteral(" | copy: ") + ProviderNames(*providers).join(u' ');
        return state;
    }

    void SelectRows(const QList<int>& rows) const {
        List()->clearSelection();
        for (int row : rows)
            List()->item(row)->setSelected(true);
    }

    void Click(const char* button) const { Child<QPushButton>(button)->click(); }

    // New, with `address` typed into the add-feed dialog in `category`.
    void New(const QString& address, const QString& category) const {
        AnswerDialog<AddFeedDialog>(
            Child<QPushButton>("btnNewProvider"), [=](AddFeedDialog& dialog) {
                dialog.findChild<QLineEdit*>(QStringLiteral("txtAddress"))->setText(address);
                dialog.findChild<CategoryPathTree*>()->SelectPath(category);
                dialog.accept();
            });
    }

    // The address of the detailed feed served at `path`.
    QString Served(const char* path) {
        server.Serve(path, DetailedFeed);
        return server.Url(QString::fromLatin1(path)).toString();
    }

    static RecordingMessageBox& Boxes() { return RecordingMessageBox::Instance(); }

    TestHttpServer server;

    QString base = QStringLiteral("http://127.0.0.1:9/");
    std::unique_ptr<ProviderCollection> providers;
    Date masterListDate = Date::FromParts(1900, 1, 1);
    bool confirmSingle = true;
    bool confirmMultiple = true;
    std::unique_ptr<ProvidersPage> page;
    std::unique_ptr<QSignalSpy> modified;
};

TEST_F(ProvidersPageTest, OpensOnTheNamedProviderWithTheCounts) {
    Open({"A", "B", "C"}, QStringLiteral("b"));
    providers->Item(3)->Active = false;
    page->In(*providers, QStringLiteral("B"), masterListDate);
    EXPECT_EQ(State(), "A B* C | 3 providers (2 active)");
    EXPECT_EQ(Child<QLineEdit>("txtProviderName")->text(), QStringLiteral("B"));

    page->In(*providers, QStringLiteral("/::/"), masterListDate);
    EXPECT_EQ(State(), "A B C | 3 providers (2 active)");
    EXPECT_FALSE(Child<QWidget>("txtProviderName")->isEnabled());

    // Properties selects one provider by its ID; a refill offers the
    // categories as they are now.
    providers->Item(3)->UniqueID = 42;
    page->SelectProviderByID(42);
    EXPECT_EQ(State(), "A B C* | 3 providers (2 active)");
    EXPECT_EQ(Child<QLineEdit>("txtProviderName")->text(), QStringLiteral("C"));
    auto* chooser = Child<QComboBox>("cboCategory");
    EXPECT_EQ(chooser->findText(QStringLiteral("Sport")), -1);
    providers->Categories().EnsureCategory(QStringLiteral("Sport"), true, true);
    page->Refill();
    EXPECT_GE(chooser->findText(QStringLiteral("Sport")), 0);
    EXPECT_EQ(chooser->currentText(), QStringLiteral("News"));
    page->SelectProviderByID(7);
    EXPECT_EQ(State(), "A B C | 3 providers (2 active)");
    EXPECT_EQ(modified->count(), 0);
}

// Which question is asked follows how many are selected and whether that
// kind of deletion is confirmed; a deleted provider on show empties the
// details.
TEST_F(ProvidersPageTest, DeletingAsksTheQuestionForHowManyAreSelected) {
    // The selected rows, whether one or several are confirmed, the answer,
    // the questions asked and the providers left.
    for (const QJsonValue& value :
         TestData::Cases(QStringLiteral("cases/provider-deletions.json"))) {
        const QJsonObject c = value.toObject();
        const QStringList questions = c["questions"].toVariant().toStringList();
        SCOPED_TRACE(QJsonDocument(c).toJson().toStdString());
        Boxes().Texts.clear();
        Boxes().Titles.clear();
        Open({"A", "B", "C", "D", "E"});
        confirmSingle = c["confirmSingle"].toBool();
        confirmMultiple = c["confirmMultiple"].toBool();
        Boxes().NextAnswer = c["answer"].toString() == u"Yes" ? Answer::Yes : Answer::No;
        QList<int> selection;
        for (const QJsonValue& row : c["selection"].toArray())
            selection.append(row.toInt());
        SelectRows(selection);
        Click("btnDeleteProvider");
        EXPECT_EQ(Boxes().Texts, questions);
        EXPECT_EQ(Boxes().Titles, QStringList(questions.size(), QStringLiteral("Delete?")));
        EXPECT_EQ(State(), c["shown"].toString());
        const bool deleted = providers->Count() < 5;
        EXPECT_EQ(modified->count(), deleted ? 1 : 0);
        if (deleted) {
            EXPECT_TRUE(Child<QLineEdit>("txtProviderName")->text().isEmpty());
            EXPECT_FALSE(Child<QWidget>("txtProviderName")->isEnabled());
        }
    }
}

// Which blocks have room and the intervals of a held button are the list
// editor's and the repeat's: the buttons follow the selection, a click moves
// the block once, a held button repeats until the block is at the end, and
// a modifier key repeats faster.
TEST_F(ProvidersPageTest, MoveAndSortButtonsActOnTheSelectedBlockOrTheWholeList) {
    Open({"A", "B", "C", "D"});
    auto* up = Child<QPushButton>("btnMoveUp");
    auto* down = Child<QPushButton>("btnMoveDown");
    SelectRows({1, 2});
    EXPECT_TRUE(up->isEnabled());
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(State(), "A D B* C* | 4 providers (4 active)");
    EXPECT_FALSE(down->isEnabled());
    EXPECT_EQ(modified->count(), 1);

    auto* repeat = Child<RepeatSchedule>("upRepeat");
    QTest::mousePress(up, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(State(), "A D B* C* | 4 providers (4 active)") << "pressing alone moves nothing";
    EXPECT_EQ(repeat->Interval(), 25ms);
    while (repeat->IsRunning())
        repeat->Tick();
    EXPECT_FALSE(up->isEnabled());
    QTest::mouseRelease(up, Qt::LeftButton);
    EXPECT_EQ(State(), "B* C* A D | 4 providers (4 active)");

    SelectRows({0});
    auto* downRepeat = Child<RepeatSchedule>("downRepeat");
    QTest::mousePress(down, Qt::LeftButton);
    downRepeat->Tick();
    QTest::mouseRelease(down, Qt::LeftButton);
    EXPECT_FALSE(downRepeat->IsRunning());
    EXPECT_EQ(State(), "C B* A D | 4 providers (4 active)");

    Open({"e", "D", "c", "B", "a"});
    SelectRows({1, 2, 4});
    Click("btnSortSelected");
    EXPECT_EQ(State(), "e B c D a | 5 providers (5 active)");
    Click("btnSort");
    EXPECT_EQ(State(), "a B c D e | 5 providers (5 active)");
    EXPECT_EQ(modified->count(), 2);
}

TEST_F(ProvidersPageTest, ActiveSwitchesReachEveryProviderMeantAndTheDetails) {
    Open({"A", "B", "C"}, QStringLiteral("B"));
    auto* active = Child<QCheckBox>("chkActive");
    Click("btnDeactivateAll");
    EXPECT_EQ(State(), "A B* C | 3 providers (0 active)");
    EXPECT_FALSE(active->isChecked());
    Click("btnActivateAll");
    EXPECT_TRUE(active->isChecked());
    // The box applies to every selected provider.
    SelectRows({0, 1});
    active->click();
    EXPECT_EQ(State(), "A* B* C | 3 providers (1 active)");
    EXPECT_TRUE(providers->Item(3)->Active);
}

TEST_F(ProvidersPageTest, EditsReachTheProviderAndItsLineButNotAProtectedAddress) {
    Open({"A", "B"}, QStringLiteral("A"));
    auto* name = Child<QLineEdit>("txtProviderName");
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Zed"));
    EXPECT_EQ(State(), "Zed* B | 2 providers (2 active)");
    Child<QSlider>("sldRefreshHours")->setValue(15);
    EXPECT_EQ(providers->Item(1)->RefreshMinutes, 900);
    EXPECT_EQ(Child<QLabel>("labRefreshHours")->text(), QStringLiteral("(15 hours)"));
    EXPECT_GE(modified->count(), 2);
    // The language is chosen by name.
    auto* language = Child<QComboBox>("cboLanguage");
    EXPECT_EQ(language->currentText(), QStringLiteral("English"));
    emit language->activated(language->findText(QStringLiteral("Portuguese")));
    EXPECT_EQ(providers->Item(1)->Language, 6);

    // A protected data address is neither shown nor taken.
    providers->Item(2)->Protected = true;
    modified->clear();
    SelectRows({1});
    auto* url = Child<QLineEdit>("txtDataURL");
    EXPECT_EQ(url->text(), QStringLiteral("(Protected)"));
    EXPECT_TRUE(url->isReadOnly());
    emit url->editingFinished();
    EXPECT_EQ(providers->Item(2)->DataURL, base + QStringLiteral("B"));
    EXPECT_EQ(modified->count(), 0);
}

TEST_F(ProvidersPageTest, ChoosingAnInactiveCategoryOffersToActivateIt) {
    providers = NamedProviders({"A"}, base);
    providers->Categories().EnsureCategory(QStringLiteral("World/Europe"), false, true);
    OpenList(QStringLiteral("A"));
    const auto& category = *providers->Categories().Item(
        providers->Categories().LocateCategory(QStringLiteral("World/Europe")));
    auto* chooser = Child<QComboBox>("cboCategory");
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        Boxes().Texts.clear();
        Boxes().NextAnswer = answer;
        emit chooser->activated(chooser->findText(QStringLiteral("World/Europe")));
        EXPECT_EQ(Boxes().Texts, QStringList{"The chosen category ('World/Europe') is not "
                                             "active. Do you want to activate it?"});
        EXPECT_EQ(category.Active, answer == Answer::Yes);
        EXPECT_EQ(providers->Item(1)->Category, QStringLiteral("World/Europe"));
    }
}

TEST_F(ProvidersPageTest, TheColourAndSoundPickersWriteToTheProvider) {
    Open({"A"}, QStringLiteral("A"));
    AnswerDialog<QColorDialog>(Child<QPushButton>("btnBackColor"), [](QColorDialog& dialog) {
        dialog.setCurrentColor(QColor(1, 2, 3));
        dialog.accept();
    });
    EXPECT_EQ(providers->Item(1)->BackColor, 0x030201) << "red in the low byte";

    const QString sound = folder.filePath(QStringLiteral("bell.wav"));
    TestData::Write(sound, "RIFF");
    AnswerDialog<QFileDialog>(Child<QPushButton>("btnBrowseSound"), [&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.nameFilters(), QStringList{"Wave Files (*.wav)"});
        dialog.selectFile(sound);
        // As the Open button does; QFileDialog keeps its own accept hidden.
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(providers->Item(1)->ArrivalSound, sound) << "outside the media folder: in full";
    EXPECT_EQ(Child<QComboBox>("cboArrivalSound")->currentText(), sound);
    EXPECT_EQ(modified->count(), 2);

    // Another provider offers the sounds the list already has.
    page->Release();
    providers->Add(std::make_shared<Provider>());
    page->In(*providers, QStringLiteral("/::/"), masterListDate);
    SelectRows({1});
    EXPECT_GE(Child<QComboBox>("cboArrivalSound")->findText(sound), 0);
    EXPECT_TRUE(Child<QComboBox>("cboArrivalSound")->currentText().isEmpty());
}

// Whether details are wanted is the list editor's: a provider chosen that
// wants them gets them, and so does one given a new data address on leaving
// its box; one without an address leaves no waiting notice.
TEST_F(ProvidersPageTest, AProviderThatNeedsDetailsGetsThemWhenChosenOrReaddressed) {
    const QString feed = Served("/feed");
    const QString again = Served("/again");
    providers = NamedProviders({"A", "Provider1", "Provider2"});
    providers->Item(1)->DataURL.clear();
    providers->Item(1)->NeedsDetails = true;
    providers->Item(2)->NeedsDetails = true;
    providers->Item(2)->DataURL = feed;
    OpenList(QStringLiteral("A"));
    auto* status = Child<QLabel>("labProviderStatus");
    EXPECT_TRUE(status->text().isEmpty());
    EXPECT_EQ(providers->Item(1)->PendingOperations, 0);

    SelectRows({1});
    EXPECT_EQ(status->text(), QStringLiteral("Getting provider details..."));
    ASSERT_TRUE(WaitUntil([&] { return ListLines()[1] == u"Harbour News"; }));
    EXPECT_EQ(Child<QLineEdit>("txtProviderName")->text(), QStringLiteral("Harbour News"));
    EXPECT_EQ(Child<QLineEdit>("txtSiteURL")->text(), QStringLiteral("http://127.0.0.1/site"));
    EXPECT_EQ(Child<QTextEdit>("txtDescription")->toPlainText(),
              QStringLiteral("From the harbour"));
    EXPECT_TRUE(status->text().isEmpty());

    SelectRows({2});
    providers->Item(3)->NeedsDetails = true;
    modified->clear();
    auto* url = Child<QLineEdit>("txtDataURL");
    url->setText(again);
    EXPECT_EQ(providers->Item(3)->DataURL, base + QStringLiteral("Provider2"));
    emit url->editingFinished();
    EXPECT_EQ(providers->Item(3)->DataURL, again);
    EXPECT_EQ(status->text(), QStringLiteral("Getting provider details..."));
    ASSERT_TRUE(WaitUntil([&] { return ListLines()[2] == u"Harbour News"; }));
    EXPECT_EQ(modified->count(), 1);
}

TEST_F(ProvidersPageTest, ReleaseCallsOffTheDetailsStillOnTheirWay) {
    server.Serve("/slow", {.NeverAnswer = true});
    providers = NamedProviders({"A"});
    providers->Item(1)->DataURL = server.Url(QStringLiteral("/slow")).toString();
    providers->Item(1)->NeedsDetails = true;
    OpenList(QStringLiteral("A"));
    EXPECT_NE(providers->Item(1)->PendingOperations & PendingOperation::Details, 0);
    page->Release();
    EXPECT_EQ(providers->Item(1)->PendingOperations, 0);
    EXPECT_FALSE(page->isEnabled());
    EXPECT_EQ(List()->count(), 0);
    // A released page has no list to act on.
    page->SelectProviderByID(providers->Item(1)->UniqueID);
    page->Refill();
    EXPECT_EQ(modified->count(), 0);
}

// New subscribes in the working copy, or selects the provider the list has
// at that address (made active: the list editor's).
TEST_F(ProvidersPageTest, NewSubscribesInTheWorkingCopyOrSelectsTheProviderItHas) {
    Open({"A", "B"}, QStringLiteral("A"));
    New(Served("/feed"), QStringLiteral("News"));
    ASSERT_EQ(providers->Count(), 3);
    EXPECT_EQ(providers->Item(3)->Category, QStringLiteral("News"));
    EXPECT_EQ(State(), "A B Provider1* | 3 providers (3 active)");
    EXPECT_EQ(modified->count(), 1);
    ASSERT_TRUE(WaitUntil([&] { return ListLines().last() == u"Harbour News"; }));
    EXPECT_EQ(core->Providers().Count(), 0) << "the program's own list is left alone";

    New(base + QStringLiteral("B"), QStringLiteral("News"));
    EXPECT_EQ(State(), "A B* Harbour News | 3 providers (3 active)");
}

TEST_F(ProvidersPageTest, BuiltInProvidersAreMergedReportedAndSorted) {
    // A master list that cannot be read leaves the list as it was.
    Open({"Zulu"});
    QSignalSpy failed(page.get(), &ProvidersPage::MasterListMerged);
    Click("btnBuiltInProviders");
    EXPECT_EQ(State(), "Zulu | 1 providers (1 active)");
    EXPECT_EQ(Boxes().Texts.size(), 1);
    EXPECT_EQ(masterListDate, Date::FromParts(1900, 1, 1));
    EXPECT_EQ(failed.count(), 0);
    EXPECT_EQ(modified->count(), 0);

    // The shipped copy alone, as when no server is configured.
    MasterProviderSet::Locations locations = MasterList();
    locations.ServerBase.clear();
    page.reset();
    core.reset();
    store = std::make_unique<SettingsStore>(folder.path());
    core = std::make_unique<ProgramCore>(*store, ProvidersFile(), locations);
    providers = NamedProviders({"Zulu"}, base);
    // One the user added; the merge leaves it alone.
    providers->Item(1)->Origin = 6;
    OpenList();
    QSignalSpy merged(page.get(), &ProvidersPage::MasterListMerged);
    Click("btnBuiltInProviders");
    EXPECT_EQ(State(), "Alpha Beta Zulu | 3 providers (3 active)");
    EXPECT_TRUE(Child<QTextEdit>("txtProviderUpdates")->toPlainText().contains(u"Alpha"));
    EXPECT_GT(masterListDate, Date::FromParts(1900, 1, 1));
    EXPECT_EQ(merged.count(), 1);
    EXPECT_EQ(modified->count(), 1);
    EXPECT_GE(Child<QComboBox>("cboCategory")->findText(QStringLiteral("World")), 0);
}

} // namespace
