#include "retrieval/ImageCache.h"

#include "platform/ProgramError.h"
#include "support/EventWait.h"
#include "support/TestHttpServer.h"

#include <QFile>
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
    const QString local = folder.filePath("logo.png");
    QFile(local).open(QIODevice::WriteOnly);
    EXPECT_EQ(cache.LocalImageFile(local), local);
    // Only "http:" and "https:" in that spelling are web addresses.
    EXPECT_THROW(cache.LocalImageFile("HTTP://example.com/logo.gif"), ProgramError);
}

TEST(ImageCacheFiles, WebImagesArriveOnceAndFailuresAreRemembered) {
    TestHttpServer server;
    server.Serve("/logo.gif", QByteArray("GIF89a"), "image/gif");
    QTemporaryDir folder;
    ImageCache cache(folder.filePath("images"));
    QSignalSpy arrived(&cache, &ImageCache::ImageArrived);
    const QString url = server.Url("/logo.gif").toString();
    EXPECT_EQ(cache.LocalImageFile(url), QString());
    ASSERT_TRUE(WaitUntil([&] { return arrived.count() == 1; }));
    const QString file = cache.LocalImageFile(url);
    EXPECT_EQ(file, arrived.first().at(1).toString());
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(server.RequestCount("/logo.gif"), 1);

    const QString missing = server.Url("/missing.gif").toString();
    EXPECT_EQ(cache.LocalImageFile(missing), QString());
    ASSERT_TRUE(WaitUntil([&] { return server.RequestCount("/missing.gif") == 1; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(cache.LocalImageFile(missing), QString());
    QCoreApplication::processEvents();
    EXPECT_EQ(server.RequestCount("/missing.gif"), 1);
}

} // namespace
