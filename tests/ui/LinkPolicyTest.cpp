#include "ui/LinkPolicy.h"

#include <gtest/gtest.h>

namespace {

struct LinkCase {
    const char* link;
    bool followed;
};

class LinkPolicyTest : public ::testing::TestWithParam<LinkCase> {};

} // namespace

TEST_P(LinkPolicyTest, FollowsOnlyWebAddresses) {
    const LinkCase& c = GetParam();
    const std::optional<QUrl> address = LinkPolicy::WebAddress(QString::fromUtf8(c.link));
    EXPECT_EQ(address.has_value(), c.followed) << c.link;
}

INSTANTIATE_TEST_SUITE_P(
    Links, LinkPolicyTest,
    ::testing::Values(
        LinkCase{"https://example.org/", true},
        LinkCase{"http://news.example/story?id=7#top", true},
        LinkCase{"HTTPS://EXAMPLE.ORG/Path", true}, LinkCase{"  http://example.org/\n", true},
        LinkCase{"javascript:alert(1)", false}, LinkCase{"JavaScript:alert(1)", false},
        LinkCase{" javascript:alert(1)", false}, LinkCase{"file:///etc/passwd", false},
        LinkCase{"data:text/html,<script>alert(1)</script>", false},
        LinkCase{"smb://server/share/file", false}, LinkCase{"vnd.custom-app://open", false},
        LinkCase{"about:blank", false}, LinkCase{"http:/no-host", false},
        LinkCase{"https://", false}, LinkCase{"//example.org/scheme-relative", false},
        LinkCase{"/relative/story.html", false}, LinkCase{"", false}));

TEST(LinkPolicy, GivesTheAddressToFollow) {
    EXPECT_EQ(LinkPolicy::WebAddress(QStringLiteral(" https://example.org/a b ")),
              QUrl(QStringLiteral("https://example.org/a%20b")));
}
