#include "model/AliasSet.h"
#include "platform/XmlChildren.h"

bool AliasSet::FromXML(const XmlNode& element) {
    IsKnown = false;
    m_urls.clear();
    for (const XmlNode& child : XmlChildren(element)) {
        if (!child.IsElement())
            continue;
        const QString url = child.Text().trimmed();
        if (!url.isEmpty())
            m_urls.append(url);
    }
    return !m_urls.isEmpty();
}

void AliasSet::StashURLs(AliasURLIndex& index) {
    const std::shared_ptr<AliasSet> self = shared_from_this();
    for (const QString& url : std::as_const(m_urls)) {
        if (!index.contains(url))
            index.insert(url, self);
    }
}
