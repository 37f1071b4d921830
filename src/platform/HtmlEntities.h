#pragma once

#include <QString>
#include <QStringView>

// The HTML character references both text converters decode: the named set
// of HTML and the characters behind numeric references.
namespace HtmlEntities {

// No named reference is longer; look-aheads for a reference stop here.
constexpr qsizetype LongestName = 31;

// A replacement kept by value, so that decoding the references of a long
// text allocates nothing: every HTML replacement fits in two UTF-16 units.
class Replacement {
public:
    Replacement() = default;
    explicit Replacement(QStringView units);
    explicit Replacement(char32_t code);

    bool IsNull() const { return m_size < 0; }
    // A null view when there is no replacement.
    QStringView View() const;
    QString ToString() const;

private:
    char16_t m_units[2] = {};
    qsizetype m_size = -1;
};

// The replacement of a named reference (without "&" and ";"), names matched
// exactly as written; a null string when HTML has no such name.
QString Named(QStringView name);
Replacement FindNamed(QStringView name);

// The HTML 4 Latin-1 names plus quot, amp, lt and gt, matched ignoring case,
// as hand-written feeds spell them. A letter with a capital and a small form
// is small only when the name is written all in lower case ("EACUTE" is the
// capital). A null string when the name is not in that set.
QString Latin1Named(QStringView name);
Replacement FindLatin1Named(QStringView name);

// The character of a numeric reference: 128-159 are taken as Windows-1252,
// as older feeds mean them; a null string for 0, surrogates and values
// beyond Unicode.
QString FromCodePoint(qint64 value);
Replacement FindCodePoint(qint64 value);

// A reference name as found between "&" and ";": decimal digits (with or
// without "#") or "#x" with hex digits give that character; names match the
// HTML set exactly, else the Latin-1 names ignoring case. Null otherwise.
Replacement Decode(QStringView name);

// The value of the leading digits after the "#" of a reference, read in hex
// after an "x"; 0 without any.
qint64 LeadingNumber(QStringView digits);

} // namespace HtmlEntities
