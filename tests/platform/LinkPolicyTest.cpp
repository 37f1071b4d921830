#include "platform/LinkPolicy.h"

#include <gtest/gtest.h>

TEST(LinkPolicy, FollowsOnlyWebAddresses) {
    const struct {
        const char* link;
        bool followed;
    } cases[] = {
        {"https://example.org/", true},
        {"http://news.example/story?id=7#top", true},
        {"HTTPS://EXAMPLE.ORG/Path", true},
        {"  http://example.org/\n", true},
        {"javascript:alert(1)", false},
        {"JavaScript:alert(1)", false},
        {" javascript:alert(1)", false},
        {"file:///etc/passwd", false},
        {"data:text/html,<script>alert(1)</script>", false},
        {"smb://server/share/file", false},
        {"vnd.custom-app://open", false},
        {"about:blank", false},
        {"http:/no-host", false},
        {"https://", false},
        {"//example.org/scheme-relative", false},
        {"/relative/story.html", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinkPolicy::WebAddress(QString::fromUtf8(c.link)).has_value(), c.followed)
            << c.link;
}

TEST(LinkPolicy, GivesTheAddressToFollow) {
    EXPECT_EQ(LinkPolicy::WebAddress(QStringLiteral(" https://example.org/a b ")),
              QUrl(QStringLiteral("https://example.org/a%20b")));
}
