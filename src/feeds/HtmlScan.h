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
    NextFinder(QStringView text, char16_t wanted);
    // The index of the first `wanted` at or after `position`; -1 when none.
    qsizetype From(qsizetype position);

private:
    qsizetype Find(qsizetype position) const;

    QStringView m_text;
    char16_t m_wanted;
    qsizetype m_searchedFrom = -1;
    qsizetype m_found = -1;
};

// The length of the reference name after the "&" at `ampersand` (letters,
// digits and "#", at most as long as the longest HTML name), provided a ";"
// ends it; -1 when no reference starts there.
qsizetype ReferenceNameLength(QStringView text, qsizetype ampersand);

// Whether a tag's character matches a character of an element name as Qt
// compares ignoring case, which folds beyond ASCII ("\u017F" matches "s").
bool FoldedEqual(QChar tagCharacter, QChar nameCharacter);

inline bool SameLetter(QChar tagCharacter, QChar nameCharacter) {
    constexpr char16_t CaseBit = 0x20;
    const char16_t t = tagCharacter.unicode();
    const char16_t n = nameCharacter.unicode();
    if (t > 0x7F)
        return FoldedEqual(tagCharacter, nameCharacter);
    const bool letter = (t | CaseBit) >= u'a' && (t | CaseBit) <= u'z';
    return letter ? (t | CaseBit) == (n | CaseBit) : t == n;
}

// Whether `tag` names the element `name` (ignoring case): equal to it, or it
// followed by whitespace or "/" ("br", "br/", "td class=x"). Inline, as every
// tag of a description is tried against several names.
inline bool HasName(QStringView tag, QStringView name) {
    if (tag.size() < name.size())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!SameLetter(tag[i], name[i]))
            return false;
    }
    if (tag.size() == name.size())
        return true;
    const QChar next = tag[name.size()];
    return next.isSpace() || next == u'/';
}

} // namespace HtmlScan
