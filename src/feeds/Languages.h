#pragma once

#include "platform/Types.h"

#include <QString>
#include <QStringList>

// The languages a provider can be marked with. The number is what a
// provider stores; the code is the translation service's.
namespace Languages {

// The names in the table's order, as the settings dialog lists them.
QStringList Names();

// Each returns its "absent" value for a key not in the table: -1, an empty
// text or 0.
int IndexOfNumber(Long number);
QString NameOfNumber(Long number);
Long NumberOfName(const QString& name);
// Codes are matched without regard to case.
Long NumberOfCode(const QString& code);
QString CodeOfNumber(Long number);

// The language of a feed's two-letter ISO 639 code (0 when unknown); ISO's
// "zh" counts as Chinese besides the table's "ch".
Long LookupLanguageCode(const QString& code);

// The address that opens `url` translated from one language into another;
// `url` itself when no translation is needed or possible.
QString TranslationURL(Long from, Long to, const QString& url);

} // namespace Languages
