// How each stored field is read and written is shown by the providers files
// under data/providers beside their expected reports; here what a file read
// into fresh providers cannot show.
#include "model/Provider.h"
#include "platform/KnownFolders.h"
#include "platform/XmlDocument.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

namespace {

bool Read(Provider& provider, const QByteArray& children, bool fixImages = false) {
    XmlDocument document;
    EXPECT_TRUE(document.LoadXML("<provider>" + children + "</provider>"));
    return provider.FromXML(document.DocumentElement(), fixImages);
}

} // namespace

TEST(ProviderTest, RelativeImagePathsPointIntoTheDataFolderOnlyWhenAsked) {
    Provider provider;
    EXPECT_TRUE(Read(provider, "<imageurl>:images/logo.gif</imageurl>", true));
    EXPECT_EQ(provider.ImageURL, KnownFolders::DataFolder() + "/images/logo.gif");
    EXPECT_TRUE(Read(provider, "<imageurl>:images/logo.gif</imageurl>", false));
    EXPECT_EQ(provider.ImageURL, ":images/logo.gif");
    EXPECT_TRUE(Read(provider, "<imageurl>http://x/a.gif</imageurl>", true));
    EXPECT_EQ(provider.ImageURL, "http://x/a.gif");
}

// Which IDs are temporary and the origin texts: the model scenarios.
TEST(ProviderTest, NewTemporaryIDsCountUpFromTheTemporaryRange) {
    const Long first = Provider::NewUniqueProviderID();
    const Long second = Provider::NewUniqueProviderID();
    EXPECT_EQ(second, first + 1);
    EXPECT_GE(first, 2147418112);
    for (const Long id : {first, second})
        EXPECT_TRUE(Provider::IsTemporaryID(id)) << id;
}
