#pragma once

#include "model/AliasSetCollection.h"

#include <QObject>
#include <QString>

#include <chrono>

class HttpRequest;

// The program's one collection of alias sets, read from the aliases file on
// first need. The published file is fetched without blocking, within a time
// limit; the last copy that came whole and well-formed is kept in the cache
// folder and stands in when the next fetch fails, and the copy the program
// ships stands in for both.
class AliasList : public QObject {
    Q_OBJECT

public:
    static constexpr const char* FileName = "qtk_aliases.xml";

    struct Locations {
        // The published file; empty when none is configured.
        QString URL;
        QString CacheFolder;
        QString BundledFolder;
    };

    // The configured address (OutsideAddresses), the user's cache folder
    // and the installed data folder.
    static Locations DefaultLocations();

    explicit AliasList(Locations locations = DefaultLocations(),
                       std::chrono::milliseconds limit = std::chrono::seconds(30),
                       QObject* parent = nullptr);
    ~AliasList() override;

    // True when the sets are in place. Otherwise starts reading them (once)
    // and announces Ready when they are, whichever copy they came from.
    bool Load();
    bool IsLoaded() const { return m_loaded; }

    const AliasSetCollection& Sets() const { return m_sets; }
    AliasSetCollection& Sets() { return m_sets; }

signals:
    void Ready();

private:
    QString CacheFile() const;
    void Fetched();
    void LoadLocalCopy();

    Locations m_locations;
    std::chrono::milliseconds m_limit;
    AliasSetCollection m_sets;
    HttpRequest* m_request = nullptr;
    bool m_loaded = false;
};
