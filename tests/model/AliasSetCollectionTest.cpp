// What each alias file under data/aliases reads as, and every operation
// on the list, is shown by the model scenarios.
#include "model/AliasSetCollection.h"
#include "platform/XmlDocument.h"
#include "support/RecordingMessageBox.h"

#include <gtest/gtest.h>

// Past the 32767 sets a 16-bit position could name.
TEST(AliasSetCollectionTest, LongListsAreReadWhole) {
    constexpr int count = 40'000;
    QByteArray xml = "<aliases>";
    for (int i = 1; i <= count; ++i)
        xml += "<aliasset><url>" + QByteArray::number(i) + "</url></aliasset>";
    XmlDocument document;
    ASSERT_TRUE(document.LoadXML(xml + "</aliases>"));
    AliasSetCollection aliases;
    EXPECT_TRUE(aliases.LoadDocument(document));
    ASSERT_EQ(aliases.Count(), count);
    EXPECT_EQ(aliases.GetAliasSetForURL(QString::number(count)), aliases.Item(count));
    const auto last = aliases.Add("last");
    EXPECT_EQ(aliases.Item(count + 1), last);
    aliases.Remove(count);
    EXPECT_EQ(aliases.Item("last"), aliases.Item(count));
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}
