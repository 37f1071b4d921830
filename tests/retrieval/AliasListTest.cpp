#include "retrieval/AliasList.h"

#include "model/AliasSetCollection.h"
#include "support/TestHttpServer.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

TEST(AliasListTest, LoadsFromTheWebWithinItsLimit) {
    TestHttpServer server;
    server.Serve("/qtk_aliases.xml", QByteArray("<aliases><set><u>http://a/</u><u>http://b/</u>"
                                                "</set><set><u>http://c/</u></set></aliases>"));
    TestHttpServer::Response silent;
    silent.NeverAnswer = true;
    server.Serve("/silent.xml", silent);
    server.Serve("/page.xml", QByteArray("<html><body>"));

    AliasSetCollection sets;
    ASSERT_TRUE(AliasList::Load(sets, server.Url("/qtk_aliases.xml").toString()));
    EXPECT_EQ(sets.Count(), 2);
    EXPECT_EQ(sets.GetAliasSetForURL("http://b/"), sets.Item(1));
    EXPECT_FALSE(AliasList::Load(sets, server.Url("/silent.xml").toString(), 200ms));
    EXPECT_FALSE(AliasList::Load(sets, server.Url("/page.xml").toString()));
    EXPECT_FALSE(AliasList::Load(sets, server.Url("/missing.xml").toString()));
    EXPECT_EQ(sets.Count(), 2);
}

} // namespace
