#include "feeds/HtmlScan.h"

#include "feeds/HtmlEntities.h"

namespace HtmlScan {

NextFinder::NextFinder(QStringView text, QChar wanted)
    : m_text(text)
    , m_wanted(wanted) {}

qsizetype NextFinder::From(qsizetype position) {
    const bool cached =
        m_searchedFrom >= 0 && position >= m_searchedFrom && (m_found < 0 || position <= m_found);
    if (!cached) {
        m_searchedFrom = position;
        m_found = m_text.indexOf(m_wanted, position);
    }
    return m_found;
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

bool HasName(QStringView tag, QStringView name) {
    if (!tag.startsWith(name, Qt::CaseInsensitive))
        return false;
    if (tag.size() == name.size())
        return true;
    const QChar next = tag[name.size()];
    return next.isSpace() || next == u'/';
}

} // namespace HtmlScan
