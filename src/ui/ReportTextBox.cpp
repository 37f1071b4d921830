#include "ui/ReportTextBox.h"

ReportTextBox::ReportTextBox(QWidget* parent)
    : QTextEdit(parent) {
    setReadOnly(true);
}

void ReportTextBox::Reset() {
    clear();
    setTextColor(Qt::black);
}

void ReportTextBox::AppendReportLine(const QString& text, Colour colour, bool bold) {
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(QColor(colour.Red, colour.Green, colour.Blue));
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    cursor.insertText(text, format);
    setTextCursor(cursor);
}
