#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

#include <chrono>

class HttpRequest;

// Providers' logos as local files. A local path is used as it is; a web
// image is downloaded once into the cache folder and used from there. The
// download runs in the background: the first call answers "" and
// ImageArrived follows when the file is there. An address that could not be
// fetched, or that gave no image, is not asked for again in the same run.
class ImageCache : public QObject {
    Q_OBJECT

public:
    explicit ImageCache(const QString& folder, QObject* parent = nullptr);

    // The file that shows `imageURL`, or "" when there is none (yet).
    // Throws ProgramError("File does not exist") for a local path that
    // names no file.
    QString LocalImageFile(const QString& imageURL);

    // The cache file's name for a web address: its ASCII letters and digits
    // without the leading "http", a "." put back before a gif, jpg or bmp
    // ending, and never longer than a file name may be.
    static QString CacheFileName(const QString& imageURL);

    std::chrono::milliseconds DownloadLimit{15000};

Q_SIGNALS:
    void ImageArrived(const QString& imageURL, const QString& filePath);

private:
    void Fetch(const QString& imageURL, const QString& filePath);
    void Finish(const QString& imageURL, const QString& filePath);

    QString m_folder;
    QSet<QString> m_failed;
    // Children of the cache: a download still running ends with it.
    QHash<QString, HttpRequest*> m_inFlight;
};
