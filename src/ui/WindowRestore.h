#pragma once

class QWidget;

// Bringing the main window back from the notification icon or a minimised
// state, in the state it had: a maximised window comes back maximised.
namespace WindowRestore {

void Restore(QWidget& window);

} // namespace WindowRestore
