#pragma once

#include <QMessageBox>
#include <QString>

// A message box with an OK button over `parent`, opened window-modal so that
// nothing waits for the user to read it; it goes away when closed.
namespace NoticeBox {

void Open(QWidget* parent, QMessageBox::Icon icon, const QString& text);

} // namespace NoticeBox
