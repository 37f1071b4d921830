#include "retrieval/FeedAnswer.h"

#include <gtest/gtest.h>

namespace {

// A web page is told by how its markup opens, whatever its Content-Type.
TEST(FeedAnswerTest, WebPagesAreToldByTheirOpening) {
    const struct {
        QByteArray Body;
        bool WebPage;
    } cases[] = {
        {"<!DOCTYPE html><html><body/></html>", true},
        {"\xEF\xBB\xBF\r\n  <!doctype HTML>\n<html>", true},
        {"<HTML lang=\"en\"><head>", true},
        {"<html>", true},
        {"<?xml version=\"1.0\"?>\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0//EN\">", true},
        {"<?xml version=\"1.0\"?><rss version=\"2.0\"/>", false},
        {"<htmlNews><item/></htmlNews>", false},
        {"<feed xmlns=\"http://www.w3.org/2005/Atom\"><title>html</title></feed>", false},
        {"html is a markup language\nsecond headline\n", false},
        {"<?xml version=\"1.0\"", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FeedAnswer::StartsAsWebPage(c.Body), c.WebPage) << c.Body.constData();
}

} // namespace
