#pragma once

#include <QString>

#include <functional>

// Errors of work the user did not start (a feed read in the background, a
// timer) must never open a modal box: boxes would stack and handlers
// re-enter. Each text is reported once to the installed sink while it is
// among the few hundred most recent distinct texts; the window shows it
// without blocking, tools print it.
namespace BackgroundNotice {

void Report(const QString& text);

// nullptr restores the default sink, which writes "message: <text>" to
// standard error.
void SetSink(std::function<void(const QString&)> sink);
// Forgets which texts were already reported (tests).
void Forget();

} // namespace BackgroundNotice
