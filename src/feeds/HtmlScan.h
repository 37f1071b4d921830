#pragma once

#include <QStringView>

// Scanning helpers shared by the HTML text converters. Both must stay linear
// on long descriptions, so no helper rescans text it has already passed.
namespace HtmlScan {

// Finds the next occurrence of one character for positions that only move
// forward: a search is repeated only once the previous hit lies behind, so
// all searches together read the text about once.
class NextFinder {
public:
    NextFinder(QStringView text, QChar wanted);
    // The index of the first `wanted` at or after `position`; -1 when none.
    qsizetype From(qsizetype position);

private:
    QStringView m_text;
    QChar m_wanted;
    qsizetype m_searchedFrom = -1;
    qsizetype m_found = -1;
};

// The length of the reference name after the "&" at `ampersand` (letters,
// digits and "#", at most as long as the longest HTML name), provided a ";"
// ends it; -1 when no reference starts there.
qsizetype ReferenceNameLength(QStringView text, qsizetype ampersand);

// Whether `tag` names the element `name` (ignoring case): equal to it, or it
// followed by whitespace or "/" ("br", "br/", "td class=x").
bool HasName(QStringView tag, QStringView name);

} // namespace HtmlScan
