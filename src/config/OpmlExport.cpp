#include "config/OpmlExport.h"

#include "model/ProviderCollection.h"
#include "platform/AtomicFile.h"
#include "platform/XmlChildren.h"
#include "platform/XmlDocument.h"

#include <QDir>
#include <QSet>
#include <QStringList>

#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// The folders open where the next outline goes: the body first, then one
// element per step of the category path. The document is laid out two
// spaces a level, the body at level 1.
struct OpenFolders {
    std::vector<XmlNode> Elements;
    QStringList Path;
};

QString LineBreak(qsizetype level) {
    return u'\n' + QString(level * 2, u' ');
}

void AppendAtLevel(XmlDocument& document, XmlNode parent, qsizetype level, const XmlNode& child) {
    parent.AppendChild(document.CreateTextNode(LineBreak(level + 1)));
    parent.AppendChild(child);
}

void Close(XmlDocument& document, XmlNode element, qsizetype level) {
    if (!XmlChildren(element).IsEmpty())
        element.AppendChild(document.CreateTextNode(LineBreak(level)));
}

XmlNode Outline(XmlDocument& document, const QString& name) {
    XmlNode outline = document.CreateElement(u"outline"_s);
    outline.SetAttribute(u"text"_s, name);
    outline.SetAttribute(u"title"_s, name);
    return outline;
}

// Closes the folders `path` does not share with the open ones and opens
// the rest of it.
void MoveTo(XmlDocument& document, OpenFolders& open, const QStringList& path) {
    qsizetype shared = 0;
    while (shared < open.Path.size() && shared < path.size() && open.Path[shared] == path[shared])
        ++shared;
    while (open.Path.size() > shared) {
        Close(document, open.Elements.back(), open.Path.size() + 1);
        open.Elements.pop_back();
        open.Path.removeLast();
    }
    for (qsizetype i = shared; i < path.size(); ++i) {
        const XmlNode folder = Outline(document, path[i]);
        AppendAtLevel(document, open.Elements.back(), open.Path.size() + 1, folder);
        open.Elements.push_back(folder);
        open.Path.append(path[i]);
    }
}

QStringList Steps(const QString& category) {
    return category.split(u'/', Qt::SkipEmptyParts);
}

XmlNode FeedOutline(XmlDocument& document, const Provider& provider) {
    XmlNode outline = Outline(document, provider.ProviderName);
    outline.SetAttribute(u"type"_s, u"rss"_s);
    outline.SetAttribute(u"xmlUrl"_s, provider.DataURL);
    if (!provider.SiteURL.isEmpty())
        outline.SetAttribute(u"htmlUrl"_s, provider.SiteURL);
    if (!provider.Description.isEmpty())
        outline.SetAttribute(u"description"_s, provider.Description);
    return outline;
}

// Categories are unique without regard to letter case.
void AddWithAncestors(QSet<QString>& paths, const QString& category) {
    const QStringList steps = Steps(category.toUpper());
    for (qsizetype i = 1; i <= steps.size(); ++i)
        paths.insert(steps.first(i).join(u'/'));
}

void WriteOutlines(XmlDocument& document, OpenFolders& open, const ProviderCollection& providers) {
    QSet<QString> filled;
    for (const auto& provider : providers) {
        if (provider->Protected)
            continue;
        MoveTo(document, open, Steps(provider->Category));
        AppendAtLevel(document, open.Elements.back(), open.Path.size() + 1,
                      FeedOutline(document, *provider));
        AddWithAncestors(filled, provider->Category);
    }
    for (const auto& category : providers.Categories()) {
        if (!filled.contains(Steps(category->CategoryName.toUpper()).join(u'/')))
            MoveTo(document, open, Steps(category->CategoryName));
    }
    MoveTo(document, open, {});
}

XmlNode Element(XmlDocument& document, const QString& name, const QString& text) {
    XmlNode element = document.CreateElement(name);
    element.SetText(text);
    return element;
}

} // namespace

namespace OpmlExport {

QString Result::Text() const {
    if (Failed())
        return Error;
    QString text =
        Written == 1 ? u"1 provider exported."_s : u"%1 providers exported."_s.arg(Written);
    if (ProtectedLeftOut == 1)
        text += u" 1 protected provider was left out."_s;
    else if (ProtectedLeftOut > 1)
        text += u" %1 protected providers were left out."_s.arg(ProtectedLeftOut);
    return text;
}

QByteArray ToBytes(const ProviderCollection& providers) {
    XmlDocument document;
    XmlNode opml = document.AppendChild(document.CreateElement(u"opml"_s));
    opml.SetAttribute(u"version"_s, u"2.0"_s);
    XmlNode head = document.CreateElement(u"head"_s);
    AppendAtLevel(document, opml, 0, head);
    AppendAtLevel(document, head, 1, Element(document, u"title"_s, u"Varnocet providers"_s));
    Close(document, head, 1);
    XmlNode body = document.CreateElement(u"body"_s);
    AppendAtLevel(document, opml, 0, body);
    OpenFolders open{{body}, {}};
    WriteOutlines(document, open, providers);
    Close(document, body, 1);
    Close(document, opml, 0);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + document.ToBytes() + '\n';
}

Result WriteFile(const ProviderCollection& providers, const QString& file) {
    Result result;
    for (const auto& provider : providers)
        ++(provider->Protected ? result.ProtectedLeftOut : result.Written);
    if (!AtomicFile::Write(file, ToBytes(providers)))
        result.Error = u"Could not write \"%1\"."_s.arg(QDir::toNativeSeparators(file));
    return result;
}

} // namespace OpmlExport
