#include "retrieval/ImageCache.h"

#include "platform/AtomicFile.h"
#include "platform/KnownFolders.h"
#include "platform/ProgramError.h"
#include "retrieval/HttpRequest.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace {

// Room for the name within the 255 bytes a Linux file name may have.
constexpr qsizetype MaxNameLength = 200;

bool IsWebAddress(const QString& url) {
    return url.startsWith(QLatin1String("http:")) || url.startsWith(QLatin1String("https:"));
}

QString LettersAndDigits(const QString& text) {
    QString kept;
    for (const QChar c : text) {
        if (c.unicode() < 128 && c.isLetterOrNumber())
            kept += c;
    }
    return kept;
}

bool HasRestoredExtension(const QString& name) {
    const QString ending = name.right(3).toLower();
    return name.size() > 3 && (ending == u"gif" || ending == u"jpg" || ending == u"bmp");
}

// A long name keeps its start and its ending, and a hash of the whole
// address tells apart the images whose names were cut the same way.
QString Shortened(const QString& name, const QString& imageURL) {
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(imageURL.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
    return name.left(MaxNameLength - 20) + hash + name.right(8);
}

// Only an answer that starts as an image does is kept: an error page or a
// captive portal's page answered with 200 would otherwise stand for the
// logo for good. The signatures of the formats logos come in rather than a
// decoder, since this layer builds without Qt's GUI module.
bool IsImage(const QByteArray& bytes) {
    static const QByteArray signatures[] = {
        "GIF87a", "GIF89a", "\x89PNG\r\n\x1a\n", "\xFF\xD8\xFF", QByteArray("\0\0\1\0", 4), // icon
    };
    constexpr qsizetype BitmapHeaderLength = 26;
    for (const QByteArray& signature : signatures) {
        if (bytes.startsWith(signature) && bytes.size() > signature.size())
            return true;
    }
    return (bytes.startsWith("BM") && bytes.size() > BitmapHeaderLength) ||
           (bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WEBP");
}

} // namespace

ImageCache::ImageCache(const QString& folder, QObject* parent)
    : QObject(parent)
    , m_folder(folder) {}

QString ImageCache::LocalImageFile(const QString& imageURL) {
    if (!IsWebAddress(imageURL)) {
        if (!QFileInfo::exists(imageURL))
            throw ProgramError(QStringLiteral("File does not exist"));
        return imageURL;
    }
    const QString filePath = m_folder + u'/' + CacheFileName(imageURL);
    if (QFileInfo::exists(filePath))
        return filePath;
    if (!m_failed.contains(imageURL) && !m_inFlight.contains(imageURL))
        Fetch(imageURL, filePath);
    return {};
}

QString ImageCache::CacheFileName(const QString& imageURL) {
    QString name = LettersAndDigits(imageURL);
    if (name.startsWith(QLatin1String("http")))
        name.remove(0, 4);
    if (name.size() > MaxNameLength)
        name = Shortened(name, imageURL);
    if (HasRestoredExtension(name))
        name.insert(name.size() - 3, u'.');
    return name;
}

void ImageCache::Fetch(const QString& imageURL, const QString& filePath) {
    auto* request = new HttpRequest(HttpRequest::Limits{DownloadLimit}, this);
    request->SetUseCache(true);
    request->Open(imageURL);
    connect(request, &HttpRequest::Finished, this,
            [this, imageURL, filePath] { Finish(imageURL, filePath); });
    m_inFlight.insert(imageURL, request);
    request->Send();
}

void ImageCache::Finish(const QString& imageURL, const QString& filePath) {
    HttpRequest* request = m_inFlight.take(imageURL);
    const bool stored = request->Status() == 200 && IsImage(request->ResponseBody()) &&
                        KnownFolders::EnsureFolder(m_folder) &&
                        AtomicFile::Write(filePath, request->ResponseBody());
    // Still in its own signal: deleted once control is back in the loop.
    request->deleteLater();
    if (!stored) {
        m_failed.insert(imageURL);
        return;
    }
    emit ImageArrived(imageURL, filePath);
}
