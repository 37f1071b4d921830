#include "ui/TrayIcon.h"

#include <QGuiApplication>
#include <QMenu>

TrayIcon::TrayIcon(QObject* parent, bool available)
    : QObject(parent) {
    if (!available)
        return;
    m_icon = new QSystemTrayIcon(QGuiApplication::windowIcon(), this);
    m_icon->setToolTip(QStringLiteral("Varnocet"));
    connect(m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::OnActivated);
}

void TrayIcon::Show() {
    if (m_icon)
        m_icon->show();
}

void TrayIcon::Hide() {
    if (m_icon)
        m_icon->hide();
}

void TrayIcon::ShowMessage(const QString& text) {
    if (Visible())
        m_icon->showMessage(m_icon->toolTip(), text, QSystemTrayIcon::Warning);
}

void TrayIcon::SetMenu(QMenu* menu) {
    if (m_icon)
        m_icon->setContextMenu(menu);
}

void TrayIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
        emit RestoreRequested();
}
