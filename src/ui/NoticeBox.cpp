#include "ui/NoticeBox.h"

#include "config/ProgramVersion.h"

namespace NoticeBox {

void Open(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    auto* box = new QMessageBox(icon, ProgramName(), text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace NoticeBox
