// Feeds arbitrary text to the readers of stored values. Besides crashes it
// catches a date or amount whose written form reads back as another value,
// which would corrupt a file on every save.
#include "platform/Currency.h"
#include "platform/Date.h"
#include "platform/ProgramError.h"
#include "platform/TextConversion.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void CheckDate(const QString& text) {
    const std::optional<Date> date = Date::FromText(text);
    if (!date)
        return;
    const std::optional<Date> reread = Date::FromText(date->ToText());
    if (!reread || reread->Days() != date->Days())
        std::abort();
    // Runs the calendar conversions under the sanitizers.
    (void)date->ToQDateTime();
}

void CheckCurrency(const QString& text) {
    const std::optional<Currency> amount = Currency::FromText(text);
    if (!amount)
        return;
    const std::optional<Currency> reread = Currency::FromText(amount->ToText());
    if (!reread || *reread != *amount)
        std::abort();
}

template <typename Reader>
void Read(Reader reader, const QString& text) {
    try {
        (void)reader(text);
    } catch (const ProgramError&) {
        // Rejecting the text is a valid outcome.
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CheckDate(text);
    CheckCurrency(text);
    Read(TextConversion::ToBoolean, text);
    Read(TextConversion::ToInteger, text);
    Read(TextConversion::ToLong, text);
    Read(TextConversion::ToInt64, text);
    return 0;
}
