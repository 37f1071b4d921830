#pragma once

#include <QObject>
#include <QSystemTrayIcon>

class QMenu;

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
    // The icon's own menu, which the desktop opens itself: trays that speak
    // the StatusNotifierItem protocol never report a right click. The menu
    // must outlive the icon.
    void SetMenu(QMenu* menu);

public Q_SLOTS:
    void OnActivated(QSystemTrayIcon::ActivationReason reason);

Q_SIGNALS:
    // A click or a double click: StatusNotifierItem trays report only the
    // click.
    void RestoreRequested();

private:
    QSystemTrayIcon* m_icon = nullptr;
};
