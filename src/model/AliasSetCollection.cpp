#include "model/AliasSetCollection.h"

#include "platform/ProgramError.h"
#include "platform/XmlDocument.h"

#include <algorithm>

namespace {

QString KeyOf(const QString& key) {
    return key.toCaseFolded();
}

} // namespace

std::size_t AliasSetCollection::Offset(qsizetype index) const {
    if (index < 1 || index > Count())
        throw ProgramError(QStringLiteral("no alias set at position %1").arg(index));
    return static_cast<std::size_t>(index - 1);
}

qsizetype AliasSetCollection::Position(const QString& key) const {
    const std::shared_ptr<AliasSet> aliasSet = m_keys.value(KeyOf(key));
    const auto found = std::find(m_sets.begin(), m_sets.end(), aliasSet);
    if (found == m_sets.end())
        throw ProgramError(QStringLiteral("no alias set under the key \"%1\"").arg(key));
    return found - m_sets.begin() + 1;
}

void AliasSetCollection::Append(const std::shared_ptr<AliasSet>& aliasSet, const QString& key) {
    if (!key.isEmpty()) {
        if (m_keys.contains(KeyOf(key)))
            throw ProgramError(QStringLiteral("the key \"%1\" is already in use").arg(key));
        m_keys.insert(KeyOf(key), aliasSet);
    }
    m_sets.push_back(aliasSet);
}

std::shared_ptr<AliasSet> AliasSetCollection::Add(const QString& key) {
    auto aliasSet = std::make_shared<AliasSet>();
    Append(aliasSet, key);
    return aliasSet;
}

std::shared_ptr<AliasSet> AliasSetCollection::AddFromXML(const XmlNode& element) {
    auto aliasSet = std::make_shared<AliasSet>();
    if (!aliasSet->FromXML(element))
        return nullptr;
    aliasSet->StashURLs(m_urlIndex);
    return aliasSet;
}

std::shared_ptr<AliasSet> AliasSetCollection::Item(qsizetype index) const {
    return m_sets[Offset(index)];
}

std::shared_ptr<AliasSet> AliasSetCollection::Item(const QString& key) const {
    return Item(Position(key));
}

void AliasSetCollection::Remove(qsizetype index) {
    const auto found = m_sets.begin() + static_cast<std::ptrdiff_t>(Offset(index));
    m_keys.removeIf([&found](const auto& entry) { return entry.value() == *found; });
    m_sets.erase(found);
}

void AliasSetCollection::Remove(const QString& key) {
    Remove(Position(key));
}

void AliasSetCollection::RemoveAll() {
    m_sets.clear();
    m_keys.clear();
}

bool AliasSetCollection::FromXML(const QString& file) {
    XmlDocument document;
    return document.Load(file) && LoadDocument(document);
}

bool AliasSetCollection::LoadDocument(const XmlDocument& document) {
    const XmlNode root = document.DocumentElement();
    if (root.IsNull())
        return false;
    LoadSets(root);
    return true;
}

void AliasSetCollection::LoadSets(const XmlNode& root) {
    for (const XmlNode& child : root.ChildNodes()) {
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
