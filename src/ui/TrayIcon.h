#pragma once

#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>

// The program's icon in the desktop's notification area. A desktop without
// one gets no icon at all, and the icon never claims to be shown there, so
// the window is never hidden into a place the user cannot reach.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    // `available` is whether the desktop has a notification area; tests
    // decide it themselves.
    explicit TrayIcon(QObject* parent = nullptr,
                      bool available = QSystemTrayIcon::isSystemTrayAvailable());

    bool Available() const { return m_icon != nullptr; }
    bool Visible() const { return m_icon && m_icon->isVisible(); }
    void Show();
    void Hide();
    // A passing message from the icon, where the icon is shown.
    void ShowMessage(const QString& text);

public Q_SLOTS:
    void OnActivated(QSystemTrayIcon::ActivationReason reason);

Q_SIGNALS:
    void RestoreRequested();
    void MenuRequested(const QPoint& position);

private:
    QSystemTrayIcon* m_icon = nullptr;
};
