#pragma once

#include <QString>
#include <QStringView>

// The HTML character references both text converters decode: the named set
// of HTML and the characters behind numeric references.
namespace HtmlEntities {

// No named reference is longer; look-aheads for a reference stop here.
constexpr qsizetype LongestName = 31;

// The replacement of a named reference (without "&" and ";"), names matched
// exactly as written; a null string when HTML has no such name.
QString Named(QStringView name);

// The HTML 4 Latin-1 names plus quot, amp, lt and gt, matched ignoring case,
// as hand-written feeds spell them. A letter with a capital and a small form
// is small only when the name is written all in lower case ("EACUTE" is the
// capital). A null string when the name is not in that set.
QString Latin1Named(QStringView name);

// The character of a numeric reference: 128-159 are taken as Windows-1252,
// as older feeds mean them; a null string for 0, surrogates and values
// beyond Unicode.
QString FromCodePoint(qint64 value);

} // namespace HtmlEntities
