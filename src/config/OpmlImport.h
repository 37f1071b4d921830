#pragma once

#include "config/OpmlImportReport.h"

#include <QByteArray>
#include <QString>

class AliasSetCollection;
class ProviderCollection;
class XmlNode;

// Reads the subscription list another reader exported (OPML 1.0 or 2.0) into
// a provider collection. Every outline with an "xmlUrl" attribute is a feed,
// whatever its "type" says; an outline without one is a folder, and the
// folders around a feed give its category path ("World" inside "News" is
// "News/World"). A feed outside every folder goes by its OPML 2.0
// "category" attribute, else into "General". Folders and categories the
// list lacks are created as the user's own; one whose name differs only in
// letter case from an existing one is that one.
//
// A new provider is appended as one the user subscribed to: active,
// refreshed hourly, white, with its details fetched when it is first shown
// and a new ID. A feed whose address the list already holds, under the
// same text or under another address of its alias set, is passed over, and
// so is a second outline with an address of the same file.
class OpmlImport {
public:
    // Larger files are refused unread: a subscription list of ten thousand
    // feeds is a few megabytes.
    static constexpr qint64 MaximumFileSize = 32 * 1024 * 1024;

    // `aliases`, when given, must outlive the import.
    explicit OpmlImport(ProviderCollection& providers, const AliasSetCollection* aliases = nullptr);

    // Adds the file's feeds to the collection. A file that cannot be read,
    // is not well-formed XML or is no OPML document changes nothing: the
    // report then holds only the error, which names the file by its name.
    OpmlImportReport ImportFile(const QString& file);
    // The same for a document in memory; `name` names it in an error.
    OpmlImportReport ImportBytes(const QByteArray& bytes, const QString& name);

private:
    void ReadOutlines(const XmlNode& parent, const QString& folder);
    void ReadFeed(const XmlNode& outline, const QString& address, const QString& folder);
    // The path of `name` inside `parent`, spelled as the list spells it
    // when it has that category already.
    QString ChildPath(const QString& parent, const QString& name) const;
    QString CategoryOf(const XmlNode& outline, const QString& folder) const;
    bool IsPresent(const QString& address) const;

    ProviderCollection& m_providers;
    const AliasSetCollection* m_aliases;
    OpmlImportReport m_report;
};
