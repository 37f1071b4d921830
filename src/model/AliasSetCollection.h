#pragma once

#include "model/AliasSet.h"
#include "platform/Types.h"
#include "platform/XmlNode.h"

#include <QString>

#include <memory>
#include <vector>

class XmlDocument;

// Every alias set the program knows, positions 1 ... Count, some stored under
// a key (unique without regard to letter case), and the index from each URL
// to the set that claimed it first. The index outlives the list: removing
// sets leaves their URLs in it.
class AliasSetCollection {
public:
    // Appends a new empty set, under `key` unless it is empty. A key
    // already in use throws ProgramError.
    std::shared_ptr<AliasSet> Add(const QString& key = QString());
    // A set read from an alias-set element, its URLs entered into the index,
    // not appended; nullptr (and nothing entered) when it names no URL.
    std::shared_ptr<AliasSet> AddFromXML(const XmlNode& element);

    // Positions outside 1 ... Count and unknown keys throw ProgramError.
    std::shared_ptr<AliasSet> Item(qsizetype index) const;
    std::shared_ptr<AliasSet> Item(const QString& key) const;
    qsizetype Count() const { return static_cast<qsizetype>(m_sets.size()); }
    void Remove(qsizetype index);
    void Remove(const QString& key);
    void RemoveAll();

    // Appends a set for each element under the root of the aliases file;
    // nodes that are no element and elements naming no URL are passed over.
    // False, and nothing read, when the file cannot be read or is not
    // well-formed.
    bool FromXML(const QString& file);
    bool LoadDocument(const XmlDocument& document);

    void ResetKnown();
    // The set that claimed the URL (letter case matters), or nullptr.
    std::shared_ptr<AliasSet> GetAliasSetForURL(const QString& url) const {
        return m_urlIndex.value(url);
    }

    auto begin() const { return m_sets.begin(); }
    auto end() const { return m_sets.end(); }

private:
    std::size_t Offset(qsizetype index) const;
    qsizetype Position(const QString& key) const;
    void Append(const std::shared_ptr<AliasSet>& aliasSet, const QString& key);
    void LoadSets(const XmlNode& root);

    std::vector<std::shared_ptr<AliasSet>> m_sets;
    // Case-folded key to the set stored under it.
    QHash<QString, std::shared_ptr<AliasSet>> m_keys;
    AliasURLIndex m_urlIndex;
};
