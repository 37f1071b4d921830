#pragma once

#include <QString>

#include <stdexcept>

// The one exception type of the program. Conversions that cannot be made,
// positions outside a collection and similar faults throw it; it is caught at
// the boundary of the operation the user started, which reports
// "Error in <operation>!" and lets the program go on.
class ProgramError : public std::runtime_error {
public:
    explicit ProgramError(const QString& reason);

    QString Reason() const;
};
