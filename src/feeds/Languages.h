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

// The address that opens `url` translated from one language into another
// through `service`; `url` itself when the languages are the same, either
// is not in the table, or `service` is empty.
//
// `service` is an address template. In it "{url}" becomes `url`, encoded
// as a query value, and "{lin}" and "{lout}" the codes of the two
// languages: "https://translate.example/?u={url}&sl={lin}&tl={lout}". A
// template without "{url}" gets the query keys "url", "lin" and "lout":
// "https://translate.example/tr" gives
// "https://translate.example/tr?url=http%3A%2F%2F...&lin=fr&lout=en".
QString TranslationURL(const QString& service, Long from, Long to, const QString& url);

} // namespace Languages
