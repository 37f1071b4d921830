// How each stored field is read and written is shown by the providers files
// under data/providers beside their expected reports; reading over a
// provider, relative image paths and the tables of temporary IDs and origin
// texts by the model scenarios.
#include "model/Provider.h"

#include <gtest/gtest.h>

// Which IDs are temporary and the origin texts: the model scenarios.
TEST(ProviderTest, NewTemporaryIDsCountUpFromTheTemporaryRange) {
    const Long first = Provider::NewUniqueProviderID();
    const Long second = Provider::NewUniqueProviderID();
    EXPECT_EQ(second, first + 1);
    EXPECT_GE(first, 2147418112);
    for (const Long id : {first, second})
        EXPECT_TRUE(Provider::IsTemporaryID(id)) << id;
}
