#include "ui/UpdateReportForm.h"

#include "ui/ReportTextBox.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

UpdateReportForm::UpdateReportForm(QWidget* parent)
    : QDialog(parent)
    , m_txtUpdates(new ReportTextBox(this)) {
    setWindowTitle(QStringLiteral("Provider Updates"));
    m_txtUpdates->setObjectName(QStringLiteral("txtUpdates"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_txtUpdates);
    layout->addWidget(buttons);
    resize(480, 320);
}

void UpdateReportForm::Reset() {
    m_txtUpdates->Reset();
}

void UpdateReportForm::AppendReportLine(const QString& text, Colour colour, bool bold) {
    m_txtUpdates->AppendReportLine(text, colour, bold);
}

QString UpdateReportForm::Text() const {
    return m_txtUpdates->toPlainText();
}

QString UpdateReportForm::Html() const {
    return m_txtUpdates->toHtml();
}
