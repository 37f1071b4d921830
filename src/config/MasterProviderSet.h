#pragma once

#include "model/ProviderCollection.h"
#include "platform/Types.h"

#include <QString>

#include <memory>
#include <vector>

class ProgressReporter;
class XmlDocument;

// The master provider list: numbered provider sets published by the
// maintainers, each a base file and a delta file of changes and withdrawals
// since, named by the index "root.xml". Load brings the local copies up to
// date from the server, applies every delta to its base and holds the
// merged result.
//
// The local folder lives in the user's cache folder. The program ships a
// copy of the list in its data folder; it stands in for the files a fresh
// installation has, so the list can be loaded without a network.
class MasterProviderSet {
public:
    // Where the list is published, kept and shipped. Tests put a local
    // server and temporary folders in place of the real ones.
    struct Locations {
        // Ends in "/"; the list's name and "/" follow it. Empty when no
        // server is configured: the shipped copy is then the whole list.
        QString ServerBase;
        // The local folders are these folders' subfolders named after the list.
        QString CacheFolder;
        QString BundledFolder;

        bool HasServer() const { return !ServerBase.isEmpty(); }
    };

    // The server the build or the environment names (OutsideAddresses),
    // the user's cache folder and the installed data folder.
    static Locations DefaultLocations();
    // The host part of `locations.ServerBase`, as the user is told it.
    static QString ServerHost(const Locations& locations);

    explicit MasterProviderSet(Locations locations = DefaultLocations());

    const QString& ProviderRoot() const { return m_providerRoot; }
    // Also decides the remote base and the local folder.
    void SetProviderRoot(const QString& providerRoot);

    // Reads the index from the server, or from the local folder when
    // loadLocal or there is no server, fetches the set files that are
    // missing or out of date, and loads and merges them. False when the index is missing,
    // unreadable or names another list, or a set file can neither be fetched nor loaded; the
    // collections then keep whatever was loaded.
    bool Load(bool expandLocalPaths, ProgressReporter* progress, bool loadLocal);

    // The base providers with every delta applied; positions 1 ... count.
    qsizetype GetProviderCount() const { return m_base.Count(); }
    std::shared_ptr<Provider> GetProvider(qsizetype position) const {
        return m_base.Item(position);
    }
    // The providers of the delta sets, carrying only the changed fields.
    qsizetype GetDeltaProviderCount() const { return m_delta.Count(); }
    std::shared_ptr<Provider> GetDeltaProvider(qsizetype position) const {
        return m_delta.Item(position);
    }

    int GetProviderSetCount() const { return static_cast<int>(m_sets.size()); }
    // The local file of the set at the 0-based `setIndex`; `prefix` goes
    // between the cache folder and the list's name.
    QString GetBaseProviderSetFileName(int setIndex, const QString& prefix) const;
    QString GetDeltaProviderSetFileName(int setIndex, const QString& prefix) const;

    // The "v" attribute of the file's root (0 when it has none), or -1 when
    // the file does not load or the attribute is not a number.
    static Integer GetDeltaSetVersion(const QString& file);

private:
    struct SetEntry {
        Integer Number = 0;
        Integer Version = 0;
    };

    QString LocalFolder(const QString& prefix) const;
    QString SetFileName(const QString& kind, int setIndex, const QString& prefix) const;
    void ShowStatus(const QString& text) const;
    void SeedFromBundle() const;
    bool BundledCopyIsNewer(const QString& name, const QString& bundled) const;
    bool LoadIndex(XmlDocument& index, bool loadLocal) const;
    bool ReadIndex(const XmlDocument& index);
    bool FetchSetFiles() const;
    bool Fetch(const QString& localFile) const;
    bool LoadSetFiles(bool expandLocalPaths);
    bool LoadBaseSet(int setIndex, bool expandLocalPaths);
    void ApplyDeltas();
    bool LoadSets(const XmlDocument& index, bool expandLocalPaths);

    Locations m_locations;
    QString m_providerRoot;
    QString m_remoteBase;
    QString m_localFolder;
    std::vector<SetEntry> m_sets;
    ProviderCollection m_base;
    ProviderCollection m_delta;
    // Only while Load runs.
    ProgressReporter* m_progress = nullptr;
};
