#include "ui/UpdateReportForm.h"

#include "ui/ReportTextBox.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

UpdateReportForm::UpdateReportForm(QWidget* parent)
    : QDialog(parent)
    , m_updates(new ReportTextBox(this)) {
    setWindowTitle(QStringLiteral("Provider Updates"));
    m_updates->setObjectName(QStringLiteral("txtUpdates"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_updates);
    layout->addWidget(buttons);
    resize(480, 320);
}

void UpdateReportForm::Reset() {
    m_updates->Reset();
}

void UpdateReportForm::AppendReportLine(const QString& text, Colour colour, bool bold) {
    m_updates->AppendReportLine(text, colour, bold);
}

QString UpdateReportForm::Text() const {
    return m_updates->toPlainText();
}

QString UpdateReportForm::Html() const {
    return m_updates->toHtml();
}
