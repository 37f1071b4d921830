#include "ui/MainForm.h"

#include "config/ProgramVersion.h"
#include "config/SettingsIO.h"
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

MainForm::MainForm(SettingsStore& store, QWidget* parent)
    : QMainWindow(parent)
    , m_store(store) {
    auto* placeholder = new QLabel(tr("No providers yet."), this);
    placeholder->setAlignment(Qt::AlignCenter);
    setCentralWidget(placeholder);
}

void MainForm::Load() {
    SettingsIO::SetDefaultSettings(m_settings, ScreenSizeTwips());
    SettingsIO::ReadSettings(m_store, ProgramName(), m_settings);
    // Every run starts with the category tree hidden, whatever was stored.
    m_settings.ShowCategories = false;
    setWindowTitle(ProgramName());
    m_settings.Invocations = SaturatingAdd(m_settings.Invocations, 1);
    ApplyWindowPlacement();
    show();
    activateWindow();
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
    Q_UNUSED(bWriteProviders) // the provider list joins when it exists
    bool written = true;
    if (bWriteSettings) {
        try {
            SettingsIO::WriteSettings(m_store, ProgramName(), m_settings);
        } catch (const ProgramError&) {
            MessageBox::ShowOperationError(QStringLiteral("WriteSettingsAndProviders"));
            written = false;
        }
    }
    return written;
}

void MainForm::ShutdownMainWindow() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    StoreWindowPlacement();
    hide();
    m_settings.CurrentProvider.clear();
    m_settings.ProviderCount = 0;
    WriteSettingsAndProviders(true, true);
}

void MainForm::closeEvent(QCloseEvent* event) {
    ShutdownMainWindow();
    event->accept();
}
