#pragma once

#include "config/UpdateReport.h"

#include <QTextEdit>

// A read-only text box that an update of the provider list reports into,
// one coloured line per provider.
class ReportTextBox : public QTextEdit, public UpdateReport {
    Q_OBJECT

public:
    explicit ReportTextBox(QWidget* parent = nullptr);

    // Empties the report; text appended afterwards starts in black.
    void Reset();
    void AppendReportLine(const QString& text, Colour colour, bool bold) override;
};
