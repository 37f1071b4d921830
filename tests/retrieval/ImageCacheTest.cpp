#include "retrieval/ImageCache.h"

#include "platform/ProgramError.h"
#include "retrieval/HttpRequest.h"
#include "support/EventWait.h"
#include "support/TestData.h"
#include "support/TestHttpServer.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ImageCacheNames, LettersAndDigitsWithTheExtensionRestored) {
    EXPECT_EQ(ImageCache::CacheFileName("http://www.example.com/img/logo.gif"),
              "wwwexamplecomimglogo.gif");
    EXPECT_EQ(ImageCache::CacheFileName("https://example.com/a/LOGO.JPG"), "sexamplecomaLOGO.JPG");
    EXPECT_EQ(ImageCache::CacheFileName("http://example.com/logo.png"), "examplecomlogopng");
    const QString longUrl = "http://example.com/" + QString(400, u'x') + ".gif";
    const QString name = ImageCache::CacheFileName(longUrl);
    EXPECT_LE(name.toUtf8().size(), 255);
    EXPECT_TRUE(name.endsWith(".gif"));
    EXPECT_NE(name, ImageCache::CacheFileName("http://example.com/" + QString(401, u'x') + ".gif"));
}

TEST(ImageCacheFiles, LocalPathsAreUsedAsTheyAre) {
    QTemporaryDir folder;
    ImageCache cache(folder.path());
    const QString local = TestData::Write(folder.filePath("logo.png"), "");
    EXPECT_EQ(cache.LocalImageFile(local), local);
    // Only "http:" and "https:" in that spelling are web addresses.
    EXPECT_THROW(cache.LocalImageFile("HTTP://example.com/logo.gif"), ProgramError);
}

// Web images arrive once, told by a signal naming the file. A 200 answer
// that is no image (a captive portal's page, a server's error page) is not
// kept, whatever it claims to be; images of the common logo formats are
// (data/cases/image-answers.json, a body as "text" or in base64). A failure
// is remembered: asked again, it is not fetched again.
TEST(ImageCacheFiles, OnlyImagesAreKeptAndFailuresAreRemembered) {
    TestHttpServer server;
    const QJsonArray cases = TestData::Cases(QStringLiteral("cases/image-answers.json"));
    QTemporaryDir folder;
    ImageCache cache(folder.filePath("images"));
    QSignalSpy arrivals(&cache, &ImageCache::ImageArrived);
    for (const QJsonValue& c : cases) {
        const QByteArray path = c["path"].toString().toUtf8();
        if (c.toObject().contains("text"))
            server.Serve(path, c["text"].toString().toUtf8(), "image/gif");
        else if (c.toObject().contains("body"))
            server.Serve(path, QByteArray::fromBase64(c["body"].toString().toLatin1()),
                         "image/gif");
        EXPECT_EQ(cache.LocalImageFile(server.Url(path).toString()), QString());
    }
    // The downloads are the cache's children until they have ended.
    ASSERT_TRUE(WaitUntil([&] { return cache.findChildren<HttpRequest*>().isEmpty(); }));
    QStringList kept;
    for (const QJsonValue& c : cases) {
        const QByteArray path = c["path"].toString().toUtf8();
        const QString url = server.Url(path).toString();
        const QString file = folder.filePath("images/" + ImageCache::CacheFileName(url));
        EXPECT_EQ(cache.LocalImageFile(url), c["kept"].toBool() ? file : QString()) << path.data();
        EXPECT_EQ(QFile::exists(file), c["kept"].toBool()) << path.data();
        EXPECT_EQ(server.RequestCount(path), 1) << path.data();
        if (c["kept"].toBool())
            kept.append(file);
    }
    QStringList arrived;
    for (const QList<QVariant>& arrival : arrivals)
        arrived.append(arrival.at(1).toString());
    arrived.sort();
    kept.sort();
    EXPECT_EQ(arrived, kept);
    // Were a failure forgotten, asking again would have started a download.
    EXPECT_TRUE(cache.findChildren<HttpRequest*>().isEmpty());
}

} // namespace
