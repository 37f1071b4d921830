#pragma once

#include <QString>

// Turns the HTML that feeds put into titles and descriptions into the plain
// text of the story list.
namespace HtmlText {

// Plain text with light layout: CR LF breaks for paragraphs, rows, list items
// and BR; bullets and numbers for list items; compact table rows on one line;
// word wrap at the first space at or after column 75; whitespace folded to
// single spaces; comments and scripts dropped; references decoded with
// DecodeEntity. A "<" with no ">" after it is text.
QString StripHTML(const QString& html);

// A reference name as found between "&" and ";": decimal digits (with or
// without "#") or "#x" with hex digits give that character; names match the
// HTML set exactly, else the HTML 4 Latin-1 names ignoring case. Anything
// else gives the empty string.
QString DecodeEntity(const QString& name);

// Decodes every well-formed reference with DecodeEntityReference and turns
// CR and LF into spaces. A "&" that starts no reference stays as written.
QString DecodeEntities(const QString& text);

// A whole reference from "&" to ";": named ones match exactly, numeric ones
// read their leading digits. Unknown names and invalid values give one space;
// a text without the "&" and ";" gives the empty string.
QString DecodeEntityReference(const QString& reference);

// The character of a reference name, matched exactly; one space when unknown.
QString LookupNamedEntity(const QString& name);

// The text without its space characters (other whitespace stays).
QString RemoveSpaces(const QString& text);

// The text without anything from a "<" to the next ">"; a "<" with no ">"
// after it stays.
QString RemoveTags(const QString& text);

} // namespace HtmlText
