#pragma once

#include "platform/Currency.h"
#include "platform/Date.h"
#include "platform/Types.h"

#include <QString>
#include <QStringView>

#include <optional>

// The text forms of stored values, shared by the settings store and every
// XML file the program writes. The readers throw ProgramError when a text
// cannot be converted, naming the text; surrounding whitespace is ignored.
namespace TextConversion {

// "True" or "False".
QString FromBoolean(bool value);
// "True"/"False" in any letter case, or a number (0 is false, anything else
// true).
bool ToBoolean(const QString& text);

// Decimal text with a leading "-" when negative. Reading accepts a decimal
// fraction and rounds it (halves to even); a value outside the type's range
// is an error, never wrapped.
Integer ToInteger(const QString& text);
Long ToLong(const QString& text);
qint64 ToInt64(const QString& text);

// Decimal text with optional sign and fraction as an integer scaled by
// 10^places, further decimals rounded (halves to even). `separators` lists the
// characters accepted as the decimal separator. Nothing when the text is not
// such a number or the result does not fit in qint64.
std::optional<qint64> ToScaledDecimal(QStringView text, int places, QStringView separators);

Currency ToCurrency(const QString& text);
Date ToDate(const QString& text);

// Overloads used by table-driven readers and writers.
QString ToText(bool value);
QString ToText(qint16 value);
QString ToText(qint32 value);
QString ToText(qint64 value);
QString ToText(const Currency& value);
QString ToText(const Date& value);
QString ToText(const QString& value);

void FromText(const QString& text, bool& value);
void FromText(const QString& text, qint16& value);
void FromText(const QString& text, qint32& value);
void FromText(const QString& text, qint64& value);
void FromText(const QString& text, Currency& value);
void FromText(const QString& text, Date& value);
void FromText(const QString& text, QString& value);

} // namespace TextConversion
