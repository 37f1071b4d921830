#include "retrieval/ImageCache.h"

#include "platform/ProgramError.h"
#include "retrieval/HttpRequest.h"
#include "support/EventWait.h"
#include "support/TestData.h"
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
    const QString local = TestData::Write(folder.filePath("logo.png"), "");
    EXPECT_EQ(cache.LocalImageFile(local), local);
    // Only "http:" and "https:" in that spelling are web addresses.
    EXPECT_THROW(cache.LocalImageFile("HTTP://example.com/logo.gif"), ProgramError);
}

// The smallest GIF: one transparent pixel.
const QByteArray Pixel =
    QByteArray::fromBase64("R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7");

// Web images arrive once, told by a signal naming the file. A 200 answer
// that is no image (a captive portal's page, a server's error page) is not
// kept, whatever it claims to be; images of the common logo formats are. A
// failure is remembered: asked again, it is not fetched again.
TEST(ImageCacheFiles, OnlyImagesAreKeptAndFailuresAreRemembered) {
    TestHttpServer server;
    const struct {
        const char* Path;
        QByteArray Body;
        bool Kept;
    } cases[] = {
        {"/logo.gif", Pixel, true},
        {"/logo.png", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), true},
        {"/logo.jpg", QByteArray("\xFF\xD8\xFF\xE0\0\x10JFIF"), true},
        {"/favicon.ico", QByteArray("\0\0\1\0\1\0\x10\x10", 8), true},
        {"/portal.gif", "<html><body>Sign in to use this network</body></html>", false},
        {"/error.png", "Internal error", false},
        {"/empty.gif", QByteArray(), false},
        {"/cut.gif", "GIF89a", false},
        {"/missing.gif", QByteArray(), false},
    };
    QTemporaryDir folder;
    ImageCache cache(folder.filePath("images"));
    QSignalSpy arrived(&cache, &ImageCache::ImageArrived);
    for (const auto& c : cases) {
        if (c.Path != QByteArrayLiteral("/missing.gif"))
            server.Serve(c.Path, c.Body, "image/gif");
        EXPECT_EQ(cache.LocalImageFile(server.Url(c.Path).toString()), QString());
    }
    // The downloads are the cache's children until they have ended.
    ASSERT_TRUE(WaitUntil([&] { return cache.findChildren<HttpRequest*>().isEmpty(); }));
    EXPECT_EQ(arrived.count(), 4);
    for (const auto& c : cases) {
        const QString url = server.Url(c.Path).toString();
        const QString file = folder.filePath("images/" + ImageCache::CacheFileName(url));
        EXPECT_EQ(cache.LocalImageFile(url), c.Kept ? file : QString()) << c.Path;
        EXPECT_EQ(QFile::exists(file), c.Kept) << c.Path;
        EXPECT_EQ(server.RequestCount(c.Path), 1) << c.Path;
    }
    EXPECT_EQ(
        arrived.first().at(1).toString(),
        folder.filePath("images/" + ImageCache::CacheFileName(server.Url("/logo.gif").toString())));
    // Were a failure forgotten, asking again would have started a download.
    EXPECT_TRUE(cache.findChildren<HttpRequest*>().isEmpty());
}

} // namespace
