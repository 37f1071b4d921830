#pragma once

#include <QString>

#include <QtGlobal>

// Where an update of the provider list tells what it did, line by line, in
// colour (a rich-text box in the user interface).
class UpdateReport {
public:
    struct Colour {
        quint8 Red;
        quint8 Green;
        quint8 Blue;

        bool operator==(const Colour&) const = default;
    };

    static constexpr Colour Black{0, 0, 0};
    static constexpr Colour Blue{0, 0, 255};
    static constexpr Colour Magenta{255, 0, 255};
    static constexpr Colour Red{255, 0, 0};

    virtual ~UpdateReport() = default;

    // Appends `text` (line breaks included) at the end of the report.
    virtual void AppendReportLine(const QString& text, Colour colour, bool bold) = 0;
};
