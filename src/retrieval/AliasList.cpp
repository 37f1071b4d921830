#include "retrieval/AliasList.h"

#include "platform/AtomicFile.h"
#include "platform/KnownFolders.h"
#include "platform/OutsideAddresses.h"
#include "platform/XmlDocument.h"
#include "retrieval/HttpRequest.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Far more than any aliases file; a server sending more is not sending one.
constexpr qint64 MaxFileBytes = qint64(4) << 20;

} // namespace

AliasList::Locations AliasList::DefaultLocations() {
    return {OutsideAddresses::AliasesURL(), KnownFolders::Cache(), KnownFolders::DataFolder()};
}

AliasList::AliasList(Locations locations, std::chrono::milliseconds limit, QObject* parent)
    : QObject(parent)
    , m_locations(std::move(locations))
    , m_limit(limit) {}

AliasList::~AliasList() = default;

QString AliasList::CacheFile() const {
    return QDir(m_locations.CacheFolder).filePath(QString::fromLatin1(FileName));
}

bool AliasList::Load() {
    if (m_loaded)
        return true;
    if (m_request != nullptr)
        return false;
    if (m_locations.URL.isEmpty()) {
        LoadLocalCopy();
        m_loaded = true;
        return true;
    }
    m_request = new HttpRequest(HttpRequest::Limits{m_limit, MaxFileBytes}, this);
    connect(m_request, &HttpRequest::Finished, this, &AliasList::Fetched);
    m_request->Open(m_locations.URL);
    m_request->Send();
    return false;
}

void AliasList::Fetched() {
    const QByteArray body = m_request->Succeeded() ? m_request->ResponseBody() : QByteArray();
    m_request->deleteLater();
    m_request = nullptr;
    XmlDocument document;
    if (!body.isEmpty() && document.LoadXML(body) && m_sets.LoadDocument(document)) {
        if (KnownFolders::EnsureFolder(m_locations.CacheFolder))
            AtomicFile::Write(CacheFile(), body);
    } else {
        LoadLocalCopy();
    }
    m_loaded = true;
    emit Ready();
}

void AliasList::LoadLocalCopy() {
    const QString bundled = QDir(m_locations.BundledFolder).filePath(QString::fromLatin1(FileName));
    for (const QString& file : {CacheFile(), bundled}) {
        if (QFileInfo::exists(file) && m_sets.FromXML(file))
            return;
    }
}
