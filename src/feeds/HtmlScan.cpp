#include "feeds/HtmlScan.h"

#include "platform/HtmlEntities.h"

namespace HtmlScan {

NextFinder::NextFinder(QStringView text, char16_t wanted)
    : m_text(text)
    , m_wanted(wanted) {}

qsizetype NextFinder::From(qsizetype position) {
    const bool cached =
        m_searchedFrom >= 0 && position >= m_searchedFrom && (m_found < 0 || position <= m_found);
    if (!cached) {
        m_searchedFrom = position;
        m_found = Find(position);
    }
    return m_found;
}

// A plain loop: the wanted character mostly closes a short tag, where a
// library search costs more to set up than to run.
qsizetype NextFinder::Find(qsizetype position) const {
    const char16_t* text = m_text.utf16();
    for (qsizetype i = position; i < m_text.size(); ++i) {
        if (text[i] == m_wanted)
            return i;
    }
    return -1;
}

namespace {

bool IsNameCharacter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'#';
}

} // namespace

qsizetype ReferenceNameLength(QStringView text, qsizetype ampersand) {
    const qsizetype first = ampersand + 1;
    const qsizetype limit = qMin(text.size(), first + HtmlEntities::LongestName);
    qsizetype end = first;
    while (end < limit && IsNameCharacter(text[end]))
        ++end;
    const bool closed = end > first && end < text.size() && text[end] == u';';
    return closed ? end - first : -1;
}

bool FoldedEqual(QChar tagCharacter, QChar nameCharacter) {
    return tagCharacter.toCaseFolded() == nameCharacter.toCaseFolded();
}

} // namespace HtmlScan
