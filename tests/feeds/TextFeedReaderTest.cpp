#include "feeds/TextFeedReader.h"

#include "model/Provider.h"
#include "platform/BackgroundNotice.h"

#include <gtest/gtest.h>

namespace {

// How text documents read is shown by the cases under data/feeds/text; what
// stays here are layouts that read nothing and what holds across loads.
class TextFeedReaderTest : public ::testing::Test {
protected:
    bool Read(const QString& spec, const QString& text) {
        provider.TextFormatSpec = spec;
        return TextFeedReader::ReadStories(provider, stories, text);
    }

    Provider provider;
    StoryCollection stories;
};

TEST_F(TextFeedReaderTest, LinesPerStoryOutsideOneToTwentyFailsWithoutStories) {
    for (const char* spec : {"0,1,T", "00,25,T", "00,21,T", "00,00,T", "T", "00,xy,T", "00,-1,T"}) {
        EXPECT_FALSE(Read(spec, "One\nTwo\nThree\n")) << spec;
        EXPECT_EQ(stories.Count(), 0) << spec;
    }

    // An unknown date code is reported once across loads.
    QStringList notices;
    BackgroundNotice::Forget();
    BackgroundNotice::SetSink([&notices](const QString& text) { notices.append(text); });
    QString text;
    for (int group = 1; group <= 50; ++group)
        text += QStringLiteral("Story %1\n01/05/2004\n").arg(group);

    Read("00,02,TDz", text);
    Read("00,02,TDz", text);

    EXPECT_EQ(notices.size(), 1);
    BackgroundNotice::Forget();
    BackgroundNotice::SetSink(nullptr);
}

} // namespace
