#pragma once

#include "platform/Types.h"

#include <QLatin1String>
#include <QString>
#include <QStringView>

#include <span>

class Provider;

// One stored field of a provider: the element that holds it in a provider
// file, the member's own name, and how its value is read, written, compared
// and copied. All() is the one list of stored fields: the provider element,
// delta sets, copies of a provider and reports about it all go through it.
class ProviderField {
public:
    // What the value is, for a report that shows it typed.
    enum class Kind { Text, Boolean, Number, Date, Duration };

    // When a field is written and copied; combined in Rules.
    enum Rule : unsigned {
        // Diff mode writes the field when PresentFlags holds its bit.
        InDelta = 1,
        // Diff mode always writes it: it names the provider.
        InEveryDelta = 2,
        // Diff mode too leaves it out while it holds its default.
        NoDefaultInDelta = 4,
        // Run-time data: full mode writes it only when asked for that.
        RunTime = 8,
        // A provider new from the master list takes it over; the statistics,
        // the arrival sound and UserCategory are the user's own.
        Published = 16,
    };

    // How the value of one field is reached.
    struct Access {
        Kind ValueKind;
        // The value as text (the decoded data URL, not its stored form).
        QString (*Text)(const Provider&);
        // The text of the element.
        QString (*Stored)(const Provider&);
        // From the text of the element; throws ProgramError when the text
        // is no value of the field.
        void (*Read)(Provider&, const QString&);
        void (*Copy)(const Provider& from, Provider& to);
        bool (*Differs)(const Provider&, const Provider&);
    };

    // Empty for a field held by the form of another field's element.
    QLatin1String Tag;
    QLatin1String Name;
    // The PresentField bit, by which reading records the field and Diff and
    // ApplyAsPresent select it; 0 for none.
    Long Bit;
    unsigned Rules;
    Access Value;
    // Full mode leaves the field out while this holds; null for a field
    // that is always written.
    bool (*AtDefault)(const Provider&);

    bool IsWritten(const Provider& provider, bool diffOnly, bool dynamic) const;

    // In the order of the provider element.
    static std::span<const ProviderField> All();
    // The field an element of the provider element holds; null for an
    // element that holds none (letter case matters).
    static const ProviderField* WithTag(QStringView tag);
    // Every stored field.
    static void CopyAll(const Provider& from, Provider& to);
    // The fields the master list publishes.
    static void CopyPublished(const Provider& from, Provider& to);
};
