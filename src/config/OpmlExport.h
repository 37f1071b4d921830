#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class ProviderCollection;

// Writes the provider list as an OPML 2.0 subscription list, the form every
// feed reader imports. Categories become nested folders ("News/World" is a
// folder "World" inside "News"); each provider is an outline with its name
// as "text" and "title", its data URL as "xmlUrl" and its site as
// "htmlUrl". Providers keep their order: a category whose providers are not
// together in the list opens its folder again where they continue, which an
// import joins up. Categories without exported providers follow as empty
// folders, so that an import recreates them. A protected provider is left
// out whole: its address is not the user's to hand on.
namespace OpmlExport {

struct Result {
    qsizetype Written = 0;
    qsizetype ProtectedLeftOut = 0;
    // Empty when the file was written.
    QString Error;

    bool Failed() const { return !Error.isEmpty(); }
    // What the user is told: how many were written and how many protected
    // ones were left out, or the error.
    QString Text() const;
};

QByteArray ToBytes(const ProviderCollection& providers);
// Replaces `file` atomically: on failure the previous file stays as it was.
Result WriteFile(const ProviderCollection& providers, const QString& file);

} // namespace OpmlExport
