#include "platform/TextConversion.h"

#include "platform/ProgramError.h"

#include "support/FuzzCorpus.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <limits>

namespace {

// Changes the process default locale for one test and puts the previous one
// back, so no other test sees it.
class DefaultLocaleScope {
public:
    explicit DefaultLocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocaleScope() { QLocale::setDefault(m_previous); }
    DefaultLocaleScope(const DefaultLocaleScope&) = delete;
    DefaultLocaleScope& operator=(const DefaultLocaleScope&) = delete;

private:
    QLocale m_previous;
};

QJsonValue DateRead(const QString& text) {
    const std::optional<Date> date = Date::FromText(text);
    if (!date)
        return {};
    return QJsonObject{{"text", date->ToText()},
                       {"fields", date->ToQDate().toString(Qt::ISODate) + u' ' +
                                      date->ToQTime().toString(QStringLiteral("HH:mm:ss"))},
                       {"days", date->Days()}};
}

QJsonValue CurrencyRead(const QString& text) {
    const std::optional<Currency> amount = Currency::FromText(text);
    if (!amount)
        return {};
    return QJsonObject{{"text", amount->ToText()}, {"scaled", QString::number(amount->Scaled())}};
}

// Each stored value's reader on the text: what it reads and how that is
// written back, or why it refuses the text.
QJsonObject Read(const QString& text) {
    using namespace TextConversion;
    using FuzzCorpus::Strictly;
    return QJsonObject{{"Date", DateRead(text)},
                       {"Currency", CurrencyRead(text)},
                       {"ToBoolean", Strictly([&] { return ToBoolean(text); })},
                       {"ToInteger", Strictly([&] { return QString::number(ToInteger(text)); })},
                       {"ToLong", Strictly([&] { return QString::number(ToLong(text)); })},
                       {"ToInt64", Strictly([&] { return QString::number(ToInt64(text)); })}};
}

// The value is stored as the text, and the text reads as the value.
template <typename T>
void ExpectStoredAs(const T& value, const char* text) {
    EXPECT_EQ(TextConversion::ToText(value), QString::fromUtf8(text));
    T read{};
    TextConversion::FromText(QString::fromUtf8(text), read);
    EXPECT_EQ(read, value) << text;
}

// A text that cannot be read throws and leaves the variable as it was.
template <typename T>
void ExpectUnreadableLeaves(const char* text, T value) {
    const T before = value;
    EXPECT_THROW(TextConversion::FromText(QString::fromUtf8(text), value), ProgramError) << text;
    EXPECT_EQ(value, before) << text;
}

} // namespace

// Month first and the same digits whatever the user's locale, which must
// not change what a file reads as.
TEST(TextConversionTest, StoredValueCorpusReadsAsExpectedInEveryLocale) {
    for (const QLocale& locale :
         {QLocale::c(), QLocale(QLocale::German, QLocale::Germany),
          QLocale(QLocale::Arabic, QLocale::Egypt), QLocale(QLocale::Persian, QLocale::Iran),
          QLocale(QLocale::Turkish, QLocale::Turkey), QLocale(QLocale::Japanese, QLocale::Japan)}) {
        const DefaultLocaleScope scope(locale);
        SCOPED_TRACE(locale.name().toStdString());
        FuzzCorpus::CheckEach(QStringLiteral("date_text"), Read, QStringLiteral("platform_tests"));
        if (GoldenFile::Regenerating())
            break;
    }
}

TEST(TextConversionTest, ScaledDecimalsCurrencyAndDates) {
    EXPECT_EQ(TextConversion::ToScaledDecimal(u"1.005", 2, u"."), 100);
    EXPECT_EQ(TextConversion::ToScaledDecimal(u"1.015", 2, u"."), 102);
    EXPECT_EQ(TextConversion::ToScaledDecimal(u"1;5", 1, u";"), 15);
    EXPECT_FALSE(TextConversion::ToScaledDecimal(u"1,5", 1, u".").has_value());
    EXPECT_FALSE(TextConversion::ToScaledDecimal(u"92233720368547758.08", 2, u".").has_value());
    // The currency and date readers throw instead of giving nothing.
    EXPECT_EQ(TextConversion::ToCurrency("1,5"), Currency::FromScaled(15000));
    EXPECT_THROW(TextConversion::ToCurrency("1.2.3"), ProgramError);
    EXPECT_EQ(TextConversion::ToDate("01/01/1900"), Date::Never());
    EXPECT_THROW(TextConversion::ToDate("1/32/2026"), ProgramError);
}

// What each type reads from other texts is shown by the corpus above.
TEST(TextConversionTest, EachTypeIsStoredAsItsTextAndAssignedOnlyOnSuccess) {
    ExpectStoredAs(true, "True");
    ExpectStoredAs(false, "False");
    ExpectStoredAs(qint16{-32768}, "-32768");
    ExpectStoredAs(qint32{2147483647}, "2147483647");
    ExpectStoredAs(std::numeric_limits<qint64>::min(), "-9223372036854775808");
    ExpectStoredAs(Currency::FromScaled(-5000), "-0.5");
    ExpectStoredAs(Date::Never(), "1/1/1900");
    ExpectStoredAs(QString(" as is "), " as is ");
    ExpectUnreadableLeaves("maybe", true);
    ExpectUnreadableLeaves("40000", qint16{7});
    ExpectUnreadableLeaves("", qint64{7});
    ExpectUnreadableLeaves("x", Currency::FromScaled(1));
    ExpectUnreadableLeaves("soon", Date::Never());
}
