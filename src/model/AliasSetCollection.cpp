#include "model/AliasSetCollection.h"

#include "platform/ProgramError.h"
#include "platform/XmlDocument.h"

#include <algorithm>

namespace {

QString KeyOf(const QString& strKey) {
    return strKey.toCaseFolded();
}

} // namespace

std::size_t AliasSetCollection::Offset(qsizetype nIndex) const {
    if (nIndex < 1 || nIndex > Count())
        throw ProgramError(QStringLiteral("no alias set at position %1").arg(nIndex));
    return static_cast<std::size_t>(nIndex - 1);
}

qsizetype AliasSetCollection::Position(const QString& strKey) const {
    const std::shared_ptr<AliasSet> aliasSet = m_keys.value(KeyOf(strKey));
    const auto found = std::find(m_sets.begin(), m_sets.end(), aliasSet);
    if (found == m_sets.end())
        throw ProgramError(QStringLiteral("no alias set under the key \"%1\"").arg(strKey));
    return found - m_sets.begin() + 1;
}

void AliasSetCollection::Append(const std::shared_ptr<AliasSet>& aliasSet, const QString& strKey) {
    if (!strKey.isEmpty()) {
        if (m_keys.contains(KeyOf(strKey)))
            throw ProgramError(QStringLiteral("the key \"%1\" is already in use").arg(strKey));
        m_keys.insert(KeyOf(strKey), aliasSet);
    }
    m_sets.push_back(aliasSet);
}

std::shared_ptr<AliasSet> AliasSetCollection::Add(const QString& strKey) {
    auto aliasSet = std::make_shared<AliasSet>();
    Append(aliasSet, strKey);
    return aliasSet;
}

std::shared_ptr<AliasSet> AliasSetCollection::AddFromXML(const XmlNode& xmlAliasSet) {
    auto aliasSet = std::make_shared<AliasSet>();
    if (!aliasSet->FromXML(xmlAliasSet))
        return nullptr;
    aliasSet->StashURLs(m_urlIndex);
    return aliasSet;
}

std::shared_ptr<AliasSet> AliasSetCollection::Item(qsizetype nIndex) const {
    return m_sets[Offset(nIndex)];
}

std::shared_ptr<AliasSet> AliasSetCollection::Item(const QString& strKey) const {
    return Item(Position(strKey));
}

void AliasSetCollection::Remove(qsizetype nIndex) {
    const auto found = m_sets.begin() + static_cast<std::ptrdiff_t>(Offset(nIndex));
    m_keys.removeIf([&found](const auto& entry) { return entry.value() == *found; });
    m_sets.erase(found);
}

void AliasSetCollection::Remove(const QString& strKey) {
    Remove(Position(strKey));
}

void AliasSetCollection::RemoveAll() {
    m_sets.clear();
    m_keys.clear();
}

bool AliasSetCollection::FromXML(const QString& strFilePath) {
    XmlDocument document;
    return document.Load(strFilePath) && LoadDocument(document);
}

bool AliasSetCollection::LoadDocument(const XmlDocument& xmlDocument) {
    const XmlNode root = xmlDocument.DocumentElement();
    if (root.IsNull())
        return false;
    LoadSets(root);
    return true;
}

void AliasSetCollection::LoadSets(const XmlNode& xmlRoot) {
    for (const XmlNode& child : xmlRoot.ChildNodes()) {
        if (!child.IsElement())
            continue;
        if (const auto aliasSet = AddFromXML(child))
            Append(aliasSet, QString());
    }
}

void AliasSetCollection::ResetKnown() {
    for (const auto& aliasSet : m_sets)
        aliasSet->IsKnown = false;
}
