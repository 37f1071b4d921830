#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

// Work that must not run inside the event that caused it is posted to the
// main window as one of these events and runs after that event returns.
// The numbers are those of the window messages the program has always used.
namespace WindowMessage {

constexpr QEvent::Type WM_PROVIDER_LOADED = static_cast<QEvent::Type>(1147);
constexpr QEvent::Type WM_NEXT_ARTICLE = static_cast<QEvent::Type>(1148);
constexpr QEvent::Type WM_SELECT_ARTICLE = static_cast<QEvent::Type>(1149);
constexpr QEvent::Type WM_NEXT_PROVIDER = static_cast<QEvent::Type>(1150);
constexpr QEvent::Type WM_PREVIOUS_PROVIDER = static_cast<QEvent::Type>(1151);

constexpr bool IsWindowMessage(QEvent::Type type) {
    return type >= WM_PROVIDER_LOADED && type <= WM_PREVIOUS_PROVIDER;
}

inline void Post(QObject* receiver, QEvent::Type message) {
    QCoreApplication::postEvent(receiver, new QEvent(message));
}

} // namespace WindowMessage
