#include "ui/UpdateReportForm.h"

#include <QDialogButtonBox>
#include <QTextEdit>
#include <QVBoxLayout>

UpdateReportForm::UpdateReportForm(QWidget* parent)
    : QDialog(parent)
    , m_txtUpdates(new QTextEdit(this)) {
    setWindowTitle(QStringLiteral("Provider Updates"));
    m_txtUpdates->setObjectName(QStringLiteral("txtUpdates"));
    m_txtUpdates->setReadOnly(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_txtUpdates);
    layout->addWidget(buttons);
    resize(480, 320);
}

void UpdateReportForm::Reset() {
    m_txtUpdates->clear();
    m_txtUpdates->setTextColor(Qt::black);
}

void UpdateReportForm::AppendReportLine(const QString& text, Colour colour, bool bold) {
    QTextCursor cursor = m_txtUpdates->textCursor();
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(QColor(colour.Red, colour.Green, colour.Blue));
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    cursor.insertText(text, format);
    m_txtUpdates->setTextCursor(cursor);
}

QString UpdateReportForm::Text() const {
    return m_txtUpdates->toPlainText();
}

QString UpdateReportForm::Html() const {
    return m_txtUpdates->toHtml();
}
