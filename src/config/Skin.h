#pragma once

#include <QString>

#include <functional>
#include <memory>

class XmlDocument;

// One skin: a folder under the skin directory whose "skin.xml" describes it.
// The document is kept whole, since the caption painter reads its own
// elements from it (SkinStyle).
class Skin {
public:
    static constexpr const char* DescriptionFile = "skin.xml";
    static constexpr const char* BordersFile = "Borders.bmp";
    static constexpr const char* CaptionBarFile = "CaptionBar.bmp";
    static constexpr const char* ThumbFile = "thumb.gif";

    Skin();
    ~Skin();
    Skin(const Skin&) = delete;
    Skin& operator=(const Skin&) = delete;

    // Takes `document` as this skin's description, read from the folder
    // `dirName`. A document without a "NeoCaptionSkin" element leaves the
    // texts empty.
    void FromXML(const QString& dirName, std::unique_ptr<XmlDocument> document);

    // Calls `visit` with the name, in lower case, and the text of each element
    // within the description's "NeoCaptionSkin" element, in document order.
    void VisitDescription(
        const std::function<void(const QString& name, const QString& text)>& visit) const;

    // The path of `fileName` in the folder `folder`, matched without regard
    // to case, since skins are often made on file systems that ignore it.
    // An exact match wins; empty when the folder holds no such file.
    static QString FindFile(const QString& folder, const QString& fileName);
    // FindFile in this skin's folder under `skinDirectory`.
    QString FilePath(const QString& skinDirectory, const QString& fileName) const;

    QString DisplayName;
    QString Description;
    QString DirName;
    QString AuthorName;
    QString AuthorEmail;
    QString AuthorSiteURL;
    std::unique_ptr<XmlDocument> DomDoc;
    // Set by SkinCollection::SyncToDir on the skins a scan found again.
    bool Renewed = false;

private:
    void ClearTexts();
};
