#pragma once

#include "config/UpdateReport.h"

// An update report nobody reads.
class SilentReport : public UpdateReport {
public:
    void AppendReportLine(const QString&, Colour, bool) override {}
};
