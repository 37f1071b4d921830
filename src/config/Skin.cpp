#include "config/Skin.h"

#include "platform/XmlChildren.h"
#include "platform/XmlDocument.h"

#include <QDir>
#include <QFileInfo>

Skin::Skin() = default;

Skin::~Skin() = default;

void Skin::ClearTexts() {
    for (QString* text : {&DisplayName, &Description, &AuthorName, &AuthorEmail, &AuthorSiteURL})
        text->clear();
}

void Skin::FromXML(const QString& dirName, std::unique_ptr<XmlDocument> document) {
    ClearTexts();
    DirName = dirName;
    DomDoc = std::move(document);
    VisitDescription([this](const QString& name, const QString& text) {
        if (name == u"name")
            DisplayName = text;
        else if (name == u"description")
            Description = text;
        else if (name == u"authorname")
            AuthorName = text;
        else if (name == u"authoremail")
            AuthorEmail = text;
        else if (name == u"authorsiteurl" || name == u"authorsite")
            AuthorSiteURL = text;
    });
}

void Skin::VisitDescription(
    const std::function<void(const QString& name, const QString& text)>& visit) const {
    if (DomDoc == nullptr)
        return;
    const XmlNode description = DomDoc->SelectSingleNode(QStringLiteral("//NeoCaptionSkin"));
    for (const XmlNode& child : XmlChildren(description)) {
        if (child.IsElement())
            visit(child.NodeName().toLower(), child.Text());
    }
}

QString Skin::FindFile(const QString& folder, const QString& fileName) {
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(fileName)).isFile())
        return dir.filePath(fileName);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return {};
}

QString Skin::FilePath(const QString& skinDirectory, const QString& fileName) const {
    return FindFile(QDir(skinDirectory).filePath(DirName), fileName);
}
