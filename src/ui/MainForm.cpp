#include "ui/MainForm.h"

#include "config/DefaultProviders.h"
#include "config/ProgramVersion.h"
#include "config/ProviderListFile.h"
#include "config/SettingsIO.h"
#include "model/ProviderCollection.h"
#include "platform/MessageBox.h"
#include "platform/ProgramError.h"
#include "platform/Saturating.h"
#include "platform/Twips.h"
#include "ui/SplashForm.h"
#include "ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace {

QSize ScreenSizeTwips() {
    const QSize pixels = QGuiApplication::primaryScreen()->availableGeometry().size();
    return {Twips::FromPixels(pixels.width()), Twips::FromPixels(pixels.height())};
}

QList<QRect> AvailableScreens() {
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    return screens;
}

} // namespace

MainForm::MainForm(SettingsStore& store, const QString& providersFilePath,
                   MasterProviderSet::Locations masterList, QWidget* parent)
    : QMainWindow(parent)
    , m_store(store)
    , m_providersFilePath(providersFilePath)
    , m_masterList(std::move(masterList))
    , m_providers(std::make_unique<ProviderCollection>()) {
    auto* placeholder = new QLabel(tr("No providers yet."), this);
    placeholder->setAlignment(Qt::AlignCenter);
    setCentralWidget(placeholder);
}

MainForm::~MainForm() = default;

void MainForm::Load() {
    SettingsIO::SetDefaultSettings(m_settings, ScreenSizeTwips());
    SettingsIO::ReadSettings(m_store, ProgramName(), m_settings);
    // Every run starts with the category tree hidden, whatever was stored.
    m_settings.ShowCategories = false;
    SplashForm splash;
    splash.show();
    setWindowTitle(ProgramName());
    splash.SetStatus(QStringLiteral("Creating global data..."));
    splash.SetStatus(QStringLiteral("Resetting state..."));
    m_settings.Invocations = SaturatingAdd(m_settings.Invocations, 1);
    splash.SetStatus(QStringLiteral("Loading provider list..."));
    bool listChanged = LoadProviderList(splash);
    listChanged = UpdateFromMasterList(splash) || listChanged;
    SortProviderList(splash);
    const CategoryCollection& categories = m_providers->Categories();
    if (m_settings.CurrentCategory.isEmpty() && categories.Count() > 0) {
        m_settings.CurrentCategory = categories.Item(1)->CategoryName;
        listChanged = true;
    }
    if (listChanged) {
        splash.SetStatus(QStringLiteral("Writing settings and providers..."));
        WriteSettingsAndProviders(true, true);
    }
    splash.SetStatus(QStringLiteral("Preparing UI..."));
    splash.SetStatus(QStringLiteral("Applying settings..."));
    ApplyWindowPlacement();
    splash.SetStatus(QStringLiteral("Applying preferences..."));
    show();
    splash.close();
    activateWindow();
}

bool MainForm::LoadProviderList(SplashForm& splash) {
    const auto result = ProviderListFile::Load(*m_providers, m_providersFilePath, &splash,
                                               QDateTime::currentDateTime());
    if (result == ProviderListFile::LoadResult::Loaded)
        return false;
    MergeMasterList(true, &splash, true);
    m_providers->SortByName(1, m_providers->Count());
    return true;
}

bool MainForm::UpdateFromMasterList(SplashForm& splash) {
    bool changed = false;
    if (m_settings.PrefsVersion == u"0.9.4") {
        // That version filed the built-in providers under the wrong origins;
        // the master list brings them back right.
        for (Integer i = m_providers->Count(); i >= 1; --i) {
            const Long origin = m_providers->Item(i)->Origin;
            if (origin == 0 || origin == 5)
                m_providers->Remove(i);
        }
    }
    if (IsNewerVersion(m_settings.PrefsVersion, ProgramVersionString())) {
        splash.SetStatus(QStringLiteral("Loading and sorting default providers..."));
        changed = MergeMasterList(false, nullptr, false);
    }
    if (m_settings.CheckForProviderUpdates) {
        splash.SetStatus(QStringLiteral("Checking for provider updates..."));
        changed = MergeMasterList(false, nullptr, false) || changed;
    }
    return changed;
}

bool MainForm::MergeMasterList(bool bFailMessage, ProgressReporter* progress, bool bDoLocal) {
    return DefaultProviders::AddDefaultProviders(*m_providers, nullptr, bFailMessage,
                                                 m_settings.LastLoadMasterProviderList, progress,
                                                 bDoLocal, m_masterList);
}

void MainForm::SortProviderList(SplashForm& splash) {
    CategoryCollection& categories = m_providers->Categories();
    splash.SetStatus(QStringLiteral("Sorting %1...").arg(categories.Count()));
    categories.SortByName(1, categories.Count());
    categories.ComputeVisibility();
    splash.SetStatus(QStringLiteral("Sorting providers by category..."));
    m_providers->SortByCategory();
    splash.SetStatus(QStringLiteral("Marking first in category..."));
    m_providers->FlagFirstInCategory();
}

void MainForm::ApplyWindowPlacement() {
    const QRect placement = WindowPlacement::Restore(
        m_settings, AvailableScreens(), QGuiApplication::primaryScreen()->availableGeometry());
    move(placement.topLeft());
    resize(placement.size());
}

void MainForm::StoreWindowPlacement() {
    if (isMinimized() || isMaximized() || isFullScreen())
        return;
    WindowPlacement::Store(m_settings, QRect(pos(), size()));
}

bool MainForm::WriteSettingsAndProviders(bool bWriteSettings, bool bWriteProviders) {
    bool written = true;
    if (bWriteSettings) {
        try {
            SettingsIO::WriteSettings(m_store, ProgramName(), m_settings);
        } catch (const ProgramError&) {
            MessageBox::ShowOperationError(QStringLiteral("WriteSettingsAndProviders"));
            written = false;
        }
    }
    // Settings that cannot be written must not cost the run's changes to the
    // provider list.
    if (bWriteProviders)
        written = m_providers->SaveFile(m_providersFilePath, nullptr, false, true, true) && written;
    return written;
}

void MainForm::ShutdownMainWindow() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    // No completion may change a provider while the file is written.
    m_providers->CancelPendingRequests(Currency::FromScaled(-Currency::Scale));
    SplashForm splash;
    splash.SetPosition(this);
    splash.show();
    splash.SetStatus(QStringLiteral("Writing settings and providers..."));
    StoreWindowPlacement();
    hide();
    m_settings.CurrentProvider.clear();
    m_settings.ProviderCount = m_providers->Count();
    WriteSettingsAndProviders(true, true);
}

void MainForm::closeEvent(QCloseEvent* event) {
    ShutdownMainWindow();
    event->accept();
}
