#include "config/MasterProviderSet.h"

#include "model/ProgressReporter.h"
#include "platform/AtomicFile.h"
#include "platform/KnownFolders.h"
#include "platform/OutsideAddresses.h"
#include "platform/ProgramError.h"
#include "platform/TextConversion.h"
#include "platform/XmlChildren.h"
#include "platform/XmlDocument.h"
#include "retrieval/FileDownload.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <optional>

namespace {

using namespace std::chrono_literals;

const QString IndexFile = QStringLiteral("root.xml");
const QString BaseKind = QStringLiteral("bps_");
const QString DeltaKind = QStringLiteral("dps_");
const QString Fetching = QStringLiteral("Fetching ");

// The index is read straight from the answer and never stored, so a slow
// server gets a little longer for it than for a set file.
constexpr std::chrono::milliseconds IndexLimit = 10s;
constexpr std::chrono::milliseconds SetFileLimit = 3s;

std::optional<Integer> ToInteger(const QString& text) {
    try {
        return TextConversion::ToInteger(text);
    } catch (const ProgramError&) {
        return std::nullopt;
    }
}

// A set file from the server replaces the local copy only when it is one: an
// error page sent with status 200 must not take the place of a good file.
bool IsProvidersDocument(const QByteArray& body) {
    XmlDocument document;
    return document.LoadXML(body) &&
           document.DocumentElement().TagName() == QLatin1String("providers");
}

std::optional<QByteArray> ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

void CopyFile(const QString& from, const QString& to) {
    if (const std::optional<QByteArray> bytes = ReadAll(from))
        AtomicFile::Write(to, *bytes);
}

} // namespace

MasterProviderSet::Locations MasterProviderSet::DefaultLocations() {
    QString server = OutsideAddresses::MasterListURL();
    if (!server.isEmpty() && !server.endsWith(u'/'))
        server += u'/';
    return {server, KnownFolders::Cache(), KnownFolders::DataFolder()};
}

QString MasterProviderSet::ServerHost(const Locations& locations) {
    return QUrl(locations.ServerBase).host();
}

MasterProviderSet::MasterProviderSet(Locations locations)
    : m_locations(std::move(locations)) {}

void MasterProviderSet::SetProviderRoot(const QString& providerRoot) {
    m_providerRoot = providerRoot;
    m_remoteBase = m_locations.ServerBase + providerRoot + QLatin1Char('/');
    m_localFolder = LocalFolder(QString());
}

QString MasterProviderSet::LocalFolder(const QString& prefix) const {
    return m_locations.CacheFolder + QLatin1Char('/') + prefix + m_providerRoot + QLatin1Char('/');
}

QString MasterProviderSet::SetFileName(const QString& kind, int setIndex,
                                       const QString& prefix) const {
    if (setIndex < 0 || setIndex >= GetProviderSetCount())
        throw ProgramError(QStringLiteral("no provider set at index %1").arg(setIndex));
    return LocalFolder(prefix) + kind + QString::number(m_sets[setIndex].Number) +
           QStringLiteral(".xml");
}

QString MasterProviderSet::GetBaseProviderSetFileName(int setIndex, const QString& prefix) const {
    return SetFileName(BaseKind, setIndex, prefix);
}

QString MasterProviderSet::GetDeltaProviderSetFileName(int setIndex, const QString& prefix) const {
    return SetFileName(DeltaKind, setIndex, prefix);
}

Integer MasterProviderSet::GetDeltaSetVersion(const QString& file) {
    XmlDocument document;
    if (!document.Load(file))
        return -1;
    // The leading "0" makes a missing or empty attribute version 0.
    return ToInteger(QLatin1Char('0') +
                     document.DocumentElement().GetAttribute(QStringLiteral("v")))
        .value_or(-1);
}

void MasterProviderSet::ShowStatus(const QString& text) const {
    if (m_progress)
        m_progress->SetStatus(text);
}

// The shipped copy plays the part of the files an installation brings: what
// the cache lacks is taken from it, and so is the index or a delta that came
// newer with a newer program. Base files never change once published.
void MasterProviderSet::SeedFromBundle() const {
    const QDir bundle(m_locations.BundledFolder + QLatin1Char('/') + m_providerRoot);
    const QStringList names = bundle.entryList({QStringLiteral("*.xml")}, QDir::Files);
    for (const QString& name : names) {
        const QString bundled = bundle.filePath(name);
        if (!QFileInfo::exists(m_localFolder + name) || BundledCopyIsNewer(name, bundled))
            CopyFile(bundled, m_localFolder + name);
    }
}

bool MasterProviderSet::BundledCopyIsNewer(const QString& name, const QString& bundled) const {
    const QString local = m_localFolder + name;
    if (name == IndexFile)
        return ReadAll(bundled) != ReadAll(local);
    return name.startsWith(DeltaKind) && GetDeltaSetVersion(bundled) > GetDeltaSetVersion(local);
}

bool MasterProviderSet::LoadIndex(XmlDocument& index, bool loadLocal) const {
    ShowStatus(Fetching + IndexFile);
    if (loadLocal || !m_locations.HasServer())
        return index.Load(m_localFolder + IndexFile);
    // Parsed from the answer, never stored: a bad answer cannot spoil the
    // local index that a later offline start falls back on.
    const QString url = m_remoteBase + IndexFile;
    FileDownload::ForgetCachedURL(url);
    const std::optional<QByteArray> body = FileDownload::FetchBytes(url, IndexLimit);
    return body && index.LoadXML(*body);
}

bool MasterProviderSet::ReadIndex(const XmlDocument& index) {
    const XmlNode root = index.DocumentElement();
    if (root.GetAttribute(QStringLiteral("name")) != m_providerRoot)
        return false;
    const std::optional<Integer> count = ToInteger(root.GetAttribute(QStringLiteral("count")));
    if (!count || *count < 0)
        return false;
    for (const XmlNode& entry : XmlChildren(root)) {
        if (GetProviderSetCount() == *count)
            break;
        if (!entry.IsElement())
            continue;
        const std::optional<Integer> number = ToInteger(entry.GetAttribute(QStringLiteral("n")));
        const std::optional<Integer> version = ToInteger(entry.GetAttribute(QStringLiteral("v")));
        if (!number || !version)
            return false;
        m_sets.push_back({*number, *version});
    }
    return GetProviderSetCount() == *count;
}

bool MasterProviderSet::Fetch(const QString& localFile) const {
    if (!m_locations.HasServer())
        return false;
    ShowStatus(Fetching + localFile);
    const QString url = m_remoteBase + QFileInfo(localFile).fileName();
    FileDownload::ForgetCachedURL(url);
    return FileDownload::DownloadToFile(url, localFile, SetFileLimit, IsProvidersDocument);
}

bool MasterProviderSet::FetchSetFiles() const {
    for (int i = 0; i < GetProviderSetCount(); ++i) {
        const QString base = GetBaseProviderSetFileName(i, QString());
        if (!QFileInfo::exists(base) && !Fetch(base))
            return false;
        const QString delta = GetDeltaProviderSetFileName(i, QString());
        const bool current =
            QFileInfo::exists(delta) && GetDeltaSetVersion(delta) >= m_sets[i].Version;
        if (!current && !Fetch(delta))
            return false;
    }
    return true;
}

// A base file is fetched once and trusted from then on; one damaged since is
// fetched afresh rather than blocking every later update. The fetched copy
// takes its place only when it is good, so a failed fetch changes nothing
// and the next load tries again.
bool MasterProviderSet::LoadBaseSet(int setIndex, bool expandLocalPaths) {
    const QString file = GetBaseProviderSetFileName(setIndex, QString());
    if (m_base.LoadFile(file, nullptr, expandLocalPaths))
        return true;
    return Fetch(file) && m_base.LoadFile(file, nullptr, expandLocalPaths);
}

bool MasterProviderSet::LoadSetFiles(bool expandLocalPaths) {
    for (int i = 0; i < GetProviderSetCount(); ++i) {
        if (!LoadBaseSet(i, expandLocalPaths))
            return false;
    }
    for (int i = 0; i < GetProviderSetCount(); ++i) {
        if (!m_delta.LoadFile(GetDeltaProviderSetFileName(i, QString()), nullptr, expandLocalPaths))
            return false;
    }
    return true;
}

// New providers reach the user only through base sets, so a change for an
// ID no base set holds is dropped here.
void MasterProviderSet::ApplyDeltas() {
    for (const auto& change : m_delta) {
        const qsizetype position = m_base.LocateProviderByUniqueID(change->UniqueID);
        if (position > 0)
            m_base.Item(position)->ApplyAsPresent(*change);
    }
    for (qsizetype i = 1; i <= m_delta.ObsoleteCount(); ++i) {
        const qsizetype position =
            m_base.LocateProviderByUniqueID(m_delta.ObsoleteItem(i)->UniqueID);
        if (position > 0)
            m_base.Remove(position);
    }
    for (const auto& category : m_base.Categories())
        category->UserDefined = false;
}

bool MasterProviderSet::LoadSets(const XmlDocument& index, bool expandLocalPaths) {
    bool ok = false;
    try {
        ok = ReadIndex(index) && FetchSetFiles() && LoadSetFiles(expandLocalPaths);
    } catch (const ProgramError&) {
        // A set too large for a collection: a load like any other that failed.
    }
    if (ok)
        ApplyDeltas();
    ShowStatus(QString());
    return ok;
}

bool MasterProviderSet::Load(bool expandLocalPaths, ProgressReporter* progress, bool loadLocal) {
    m_progress = progress;
    m_base = ProviderCollection();
    m_delta = ProviderCollection();
    m_sets.clear();
    KnownFolders::EnsureFolder(m_localFolder);
    SeedFromBundle();
    XmlDocument index;
    // An index that cannot be had leaves the status as it is.
    const bool ok = LoadIndex(index, loadLocal) && LoadSets(index, expandLocalPaths);
    m_progress = nullptr;
    return ok;
}
