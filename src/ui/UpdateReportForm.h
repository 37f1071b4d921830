#pragma once

#include "config/UpdateReport.h"

#include <QDialog>

class ReportTextBox;

// Tells the user what an update of the provider list added, changed and
// removed, one coloured line per provider.
class UpdateReportForm : public QDialog, public UpdateReport {
    Q_OBJECT

public:
    explicit UpdateReportForm(QWidget* parent = nullptr);

    // Empties the report; text appended afterwards starts in black.
    void Reset();
    void AppendReportLine(const QString& text, Colour colour, bool bold) override;

    QString Text() const;
    QString Html() const;

private:
    ReportTextBox* m_updates;
};
