#include "config/OpmlImport.h"

#include "model/AliasSetCollection.h"
#include "model/ProviderCollection.h"
#include "platform/Date.h"
#include "platform/LinkPolicy.h"
#include "platform/XmlChildren.h"
#include "platform/XmlDocument.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr Long ImportedOrigin = 1;

QString NothingImported(const QString& problem) {
    return problem + u" Nothing was imported."_s;
}

// Element and attribute names are compared without regard to letter case:
// hand-made and older files write "xmlurl" or "OUTLINE".
bool IsNamed(const XmlNode& node, QLatin1StringView name) {
    return node.IsElement() && node.BaseName().compare(name, Qt::CaseInsensitive) == 0;
}

std::optional<QString> Attribute(const XmlNode& element, QLatin1StringView name) {
    for (const XmlNode::Attribute& attribute : element.Attributes()) {
        if (attribute.Name.compare(name, Qt::CaseInsensitive) == 0)
            return attribute.Value;
    }
    return std::nullopt;
}

QString Text(const XmlNode& element, QLatin1StringView name) {
    return Attribute(element, name).value_or(QString()).simplified();
}

// "text" is the name OPML requires; some files give only "title".
QString OutlineName(const XmlNode& outline) {
    const QString text = Text(outline, "text"_L1);
    return text.isEmpty() ? Text(outline, "title"_L1) : text;
}

// One step of a category path, which "/" separates: a folder another reader
// calls "News/Sport" stays one folder, "News-Sport".
QString FolderName(const XmlNode& outline) {
    return OutlineName(outline).replace(u'/', u'-');
}

// The site is opened from the program, so only a web address is kept.
QString SiteAddress(const XmlNode& outline) {
    const QString site = Text(outline, "htmlUrl"_L1);
    return LinkPolicy::WebAddress(site) ? site : QString();
}

XmlNode Child(const XmlNode& parent, QLatin1StringView name) {
    for (const XmlNode& child : XmlChildren(parent)) {
        if (IsNamed(child, name))
            return child;
    }
    return {};
}

// The <body> of an OPML document, or why there is none.
XmlNode Body(const XmlDocument& document, const QString& name, QString& error) {
    const XmlNode root = document.DocumentElement();
    if (!IsNamed(root, "opml"_L1)) {
        error =
            NothingImported(u"\"%1\" is not an OPML file: its document is <%2>, not <opml>."_s.arg(
                name, root.NodeName()));
        return {};
    }
    const XmlNode body = Child(root, "body"_L1);
    if (body.IsNull())
        error = NothingImported(u"\"%1\" is not an OPML file: it has no <body>."_s.arg(name));
    return body;
}

QString ParseError(const XmlDocument::ParseError& error, const QString& name) {
    QString reason = error.Reason.trimmed();
    if (reason.endsWith(u'.'))
        reason.chop(1);
    return NothingImported(u"\"%1\" is not well-formed XML: %2 (line %3, column %4)."_s.arg(
        name, reason, QString::number(error.Line), QString::number(error.LinePos)));
}

} // namespace

OpmlImport::OpmlImport(ProviderCollection& providers, const AliasSetCollection* aliases)
    : m_providers(providers)
    , m_aliases(aliases) {}

OpmlImportReport OpmlImport::ImportFile(const QString& file) {
    const QString name = QFileInfo(file).fileName();
    QFile input(file);
    OpmlImportReport failed;
    if (!input.open(QIODevice::ReadOnly)) {
        failed.Error = NothingImported(u"Cannot read \"%1\": %2."_s.arg(name, input.errorString()));
        return failed;
    }
    // Read up to the limit only: a device may never end.
    const QByteArray bytes = input.read(MaximumFileSize + 1);
    if (bytes.size() <= MaximumFileSize)
        return ImportBytes(bytes, name);
    failed.Error = NothingImported(
        u"\"%1\" is too large for a subscription list (over %2 MB)."_s.arg(name).arg(
            MaximumFileSize / (1024 * 1024)));
    return failed;
}

OpmlImportReport OpmlImport::ImportBytes(const QByteArray& bytes, const QString& name) {
    m_report = {};
    XmlDocument document;
    if (!document.LoadXML(bytes)) {
        m_report.Error = ParseError(document.LastParseError(), name);
        return m_report;
    }
    const XmlNode body = Body(document, name, m_report.Error);
    if (!body.IsNull())
        ReadOutlines(body, QString());
    return m_report;
}

void OpmlImport::ReadOutlines(const XmlNode& parent, const QString& folder) {
    for (const XmlNode& outline : XmlChildren(parent)) {
        if (!IsNamed(outline, "outline"_L1))
            continue;
        if (const std::optional<QString> address = Attribute(outline, "xmlUrl"_L1)) {
            ReadFeed(outline, address->trimmed(), folder);
            // Some outliners file notes under a feed; feeds among them
            // belong where the feed does.
            ReadOutlines(outline, folder);
            continue;
        }
        // A folder without a name adds no step to the path.
        const QString name = FolderName(outline);
        const QString path = name.isEmpty() ? folder : ChildPath(folder, name);
        if (!XmlChildren(outline).IsEmpty())
            ReadOutlines(outline, path);
        else if (!path.isEmpty() && Text(outline, "type"_L1).isEmpty())
            // An empty folder is a category kept without providers; empty
            // outlines of other types (links, includes) are no folders.
            m_providers.Categories().EnsureCategory(path, true, true);
    }
}

void OpmlImport::ReadFeed(const XmlNode& outline, const QString& address, const QString& folder) {
    const QString name = OutlineName(outline);
    if (!LinkPolicy::WebAddress(address, QUrl::StrictMode)) {
        m_report.Refused.append({name, address});
        return;
    }
    if (IsPresent(address)) {
        m_report.AlreadyPresent.append({name, address});
        return;
    }
    // Named before it joins the list, so that a generated name is one no
    // other provider has.
    const QString providerName = name.isEmpty() ? m_providers.GenerateUniqueProviderName() : name;
    const std::shared_ptr<Provider> provider =
        m_providers.AddSubscription(address, CategoryOf(outline, folder), ImportedOrigin);
    provider->ProviderName = providerName;
    provider->SiteURL = SiteAddress(outline);
    provider->Description = Text(outline, "description"_L1);
    m_report.Added.append({provider->ProviderName, address});
}

QString OpmlImport::ChildPath(const QString& parent, const QString& name) const {
    const QString path = parent.isEmpty() ? name : parent + u'/' + name;
    const CategoryCollection& categories = m_providers.Categories();
    const qsizetype found = categories.LocateCategory(path);
    return found > 0 ? categories.Item(found)->CategoryName : path;
}

// OPML 2.0 gives a feed's categories as a comma-separated list of
// slash-separated paths ("/News/World,/Tags/daily"); the first is taken.
QString OpmlImport::CategoryOf(const XmlNode& outline, const QString& folder) const {
    if (!folder.isEmpty())
        return folder;
    const QString categories = Attribute(outline, "category"_L1).value_or(QString());
    QString path;
    for (const QString& step : categories.section(u',', 0, 0).split(u'/')) {
        if (const QString name = step.simplified(); !name.isEmpty())
            path = ChildPath(path, name);
    }
    return path.isEmpty() ? ChildPath(QString(), u"General"_s) : path;
}

bool OpmlImport::IsPresent(const QString& address) const {
    if (m_providers.LocateProviderByURL(address) > 0)
        return true;
    const std::shared_ptr<AliasSet> aliases =
        m_aliases != nullptr ? m_aliases->GetAliasSetForURL(address) : nullptr;
    return aliases != nullptr && m_providers.LocateProviderInAliasSet(*aliases) > 0;
}
