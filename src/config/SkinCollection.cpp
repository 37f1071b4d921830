#include "config/SkinCollection.h"

#include "config/Skin.h"
#include "platform/XmlDocument.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Folders that hold no skin of their own: version control's, and the
// painter's built-in look.
bool IsSilentFolder(const QString& name) {
    return name == u"CVS" || name == u"DefaultSkin";
}

QString ParseFailure(const QString& name, const XmlDocument::ParseError& error) {
    return QStringLiteral("Cannot load skin from directory %1. \n"
                          "The following error was returned: '%2'\n"
                          "The error occurred on position %3 of line %4.")
        .arg(name, error.Reason.trimmed())
        .arg(error.LinePos)
        .arg(error.Line);
}

} // namespace

SkinCollection::SkinCollection() = default;

SkinCollection::~SkinCollection() = default;

QStringList SkinCollection::SyncToDir(const QString& directory, bool reload, bool showErrors,
                                      const QString& onlyDirName) {
    const bool full = onlyDirName.isEmpty();
    // Skins are known by folder name: one of the same name in another
    // directory is another skin.
    reload = reload || directory != m_directory;
    m_directory = directory;
    if (full) {
        for (const auto& skin : m_skins)
            skin->Renewed = false;
    }
    QStringList messages;
    const QDir dir(directory);
    if (!dir.isReadable()) {
        if (showErrors && m_unreadableDirectory != directory) {
            messages.append(QStringLiteral("Cannot read the skin directory %1.").arg(directory));
            m_unreadableDirectory = directory;
        }
    } else {
        m_unreadableDirectory.clear();
        const QStringList folders =
            full ? dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)
                 : QStringList{onlyDirName};
        for (const QString& name : folders) {
            const QString message = ReadFolder(directory, name, reload);
            if (showErrors && !message.isEmpty())
                messages.append(message);
        }
    }
    if (full)
        DropStale();
    return messages;
}

QString SkinCollection::ReadFolder(const QString& directory, const QString& name, bool reload) {
    std::shared_ptr<Skin> skin = FindSkinByDirName(name);
    if (skin != nullptr && !reload) {
        skin->Renewed = true;
        return {};
    }
    const QString file =
        Skin::FindFile(QDir(directory).filePath(name), QString::fromLatin1(Skin::DescriptionFile));
    if (file.isEmpty())
        return {};
    auto document = std::make_unique<XmlDocument>();
    if (!document->Load(file))
        return IsSilentFolder(name) ? QString() : ParseFailure(name, document->LastParseError());
    if (skin == nullptr) {
        skin = std::make_shared<Skin>();
        Add(skin);
    }
    skin->FromXML(name, std::move(document));
    skin->Renewed = true;
    return {};
}

void SkinCollection::DropStale() {
    for (qsizetype i = m_skins.size(); i >= 1; --i) {
        if (!Item(i)->Renewed)
            Remove(i);
    }
}

void SkinCollection::Add(std::shared_ptr<Skin> skin) {
    m_skins.append(std::move(skin));
}

std::shared_ptr<Skin> SkinCollection::FindSkinByDirName(const QString& name) const {
    for (const auto& skin : m_skins) {
        if (skin->DirName == name)
            return skin;
    }
    return nullptr;
}

std::shared_ptr<Skin> SkinCollection::FindSkinByDisplayName(const QString& name) const {
    for (const auto& skin : m_skins) {
        if (skin->DisplayName == name)
            return skin;
    }
    return nullptr;
}
