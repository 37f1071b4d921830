#include "ui/MainForm.h"

#include "config/ProgramVersion.h"
#include "config/ProviderListFile.h"
#include "config/SettingsIO.h"
#include "model/ProviderCollection.h"
#include "platform/MessageBox.h"
#include "platform/ProgramError.h"
#include "platform/Saturating.h"
#include "platform/Twips.h"
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

MainForm::MainForm(SettingsStore& store, const QString& providersFilePath, QWidget* parent)
    : QMainWindow(parent)
    , m_store(store)
    , m_providersFilePath(providersFilePath)
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
    setWindowTitle(ProgramName());
    m_settings.Invocations = SaturatingAdd(m_settings.Invocations, 1);
    bool listChanged = LoadProviderList();
    SortProviderList();
    const CategoryCollection& categories = m_providers->Categories();
    if (m_settings.CurrentCategory.isEmpty() && categories.Count() > 0) {
        m_settings.CurrentCategory = categories.Item(1)->CategoryName;
        listChanged = true;
    }
    if (listChanged)
        WriteSettingsAndProviders(true, true);
    ApplyWindowPlacement();
    show();
    activateWindow();
}

bool MainForm::LoadProviderList() {
    const auto result = ProviderListFile::Load(*m_providers, m_providersFilePath, nullptr,
                                               QDateTime::currentDateTime());
    if (result == ProviderListFile::LoadResult::Loaded)
        return false;
    m_providers->SortByName(1, m_providers->Count());
    return true;
}

void MainForm::SortProviderList() {
    CategoryCollection& categories = m_providers->Categories();
    categories.SortByName(1, categories.Count());
    categories.ComputeVisibility();
    m_providers->SortByCategory();
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
