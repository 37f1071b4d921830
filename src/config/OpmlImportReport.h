#pragma once

#include <QList>
#include <QString>

// What an OPML import did, outline by outline, for the user to read: the
// feeds that became providers, the ones the list already had (under the
// same address or one of its aliases, or earlier in the same file) and the
// ones refused because their address is no http or https address. A file
// that could not be read at all carries only Error, and nothing was
// changed.
class OpmlImportReport {
public:
    struct Entry {
        QString Name;
        QString Address;
    };

    QList<Entry> Added;
    QList<Entry> AlreadyPresent;
    QList<Entry> Refused;
    QString Error;

    bool Failed() const { return !Error.isEmpty(); }
    // A summary line and, under a heading for each outcome, one line per
    // feed naming it and its address; or the error.
    QString Text() const;
};
