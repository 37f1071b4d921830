#include "model/ProviderField.h"

#include "model/DataURLScrambler.h"
#include "model/PresentField.h"
#include "model/Provider.h"
#include "platform/TextConversion.h"

#include <algorithm>
#include <iterator>
#include <type_traits>

using namespace Qt::StringLiterals;

namespace {

using Kind = ProviderField::Kind;
using Access = ProviderField::Access;
using TextConversion::ToText;

template <typename T>
constexpr Kind KindOf() {
    if constexpr (std::is_same_v<T, QString>)
        return Kind::Text;
    else if constexpr (std::is_same_v<T, bool>)
        return Kind::Boolean;
    else if constexpr (std::is_same_v<T, Date>)
        return Kind::Date;
    else if constexpr (std::is_same_v<T, Currency>)
        return Kind::Duration;
    else {
        static_assert(std::is_integral_v<T>);
        return Kind::Number;
    }
}

template <typename Pointer>
struct MemberType;
template <typename T>
struct MemberType<T Provider::*> {
    using Type = T;
};

// A field held in a data member of its own.
template <auto Field>
struct Member {
    using Type = typename MemberType<decltype(Field)>::Type;

    static QString Text(const Provider& provider) { return ToText(provider.*Field); }
    static void Read(Provider& provider, const QString& text) {
        TextConversion::FromText(text, provider.*Field);
    }
    static void Copy(const Provider& from, Provider& to) { to.*Field = from.*Field; }
    static bool Differs(const Provider& a, const Provider& b) { return a.*Field != b.*Field; }

    static constexpr Access Value = {KindOf<Type>(), &Text, &Text, &Read, &Copy, &Differs};
};

// A code stored as a 16-bit value though held in a wider field.
template <auto Field>
struct Code : Member<Field> {
    static void Read(Provider& provider, const QString& text) {
        provider.*Field = TextConversion::ToInteger(text);
    }

    static constexpr Access Value = {Kind::Number, &Code::Text, &Code::Text,
                                     &Read,        &Code::Copy, &Code::Differs};
};

// A field behind a getter and a setter: reading and copying go through the
// setter and its side effects.
template <auto Get, auto Set>
struct Property {
    using Type = std::invoke_result_t<decltype(Get), const Provider&>;

    static QString Text(const Provider& provider) { return ToText((provider.*Get)()); }
    static void Read(Provider& provider, const QString& text) {
        Type value{};
        TextConversion::FromText(text, value);
        (provider.*Set)(value);
    }
    static void Copy(const Provider& from, Provider& to) { (to.*Set)((from.*Get)()); }
    static bool Differs(const Provider& a, const Provider& b) { return (a.*Get)() != (b.*Get)(); }

    static constexpr Access Value = {KindOf<Type>(), &Text, &Text, &Read, &Copy, &Differs};
};

// Compared and copied as the plain address; the element holds it scrambled
// when the provider is protected, and its form decides Protected on reading.
struct DataURL : Member<&Provider::DataURL> {
    static QString Stored(const Provider& provider) {
        return provider.Protected ? DataURLScrambler::Encode(provider.DataURL) : provider.DataURL;
    }
    static void Read(Provider& provider, const QString& text) {
        const bool isProtected = DataURLScrambler::IsProtectedForm(text);
        provider.DataURL = isProtected ? DataURLScrambler::Decode(text) : text;
        provider.Protected = isProtected;
    }

    static constexpr Access Value = {Kind::Text, &DataURL::Text, &Stored,
                                     &Read,      &DataURL::Copy, &DataURL::Differs};
};

template <auto Field, auto Default>
bool Equals(const Provider& provider) {
    return provider.*Field == Default;
}

template <auto Field>
bool IsEmpty(const Provider& provider) {
    return (provider.*Field).isEmpty();
}

bool IsNotTextFormat(const Provider& provider) {
    return !provider.IsTextFormat();
}

// An element without successfulupdates reads as this.
bool AllUpdatesSucceeded(const Provider& provider) {
    return provider.SuccessfulUpdates == provider.AttemptedUpdates;
}

namespace PF = PresentField;
using enum ProviderField::Rule;
using P = Provider;

// In the order of the provider element: element, member, PresentField bit,
// rules, value, and the default at which full mode leaves the field out.
constexpr ProviderField Fields[] = {
    {"providername"_L1, "ProviderName"_L1, PF::ProviderName, InDelta | Published,
     Member<&P::ProviderName>::Value, nullptr},
    {"uniqueid"_L1, "UniqueID"_L1, 0, InEveryDelta | Published, Member<&P::UniqueID>::Value,
     nullptr},
    {"description"_L1, "Description"_L1, PF::Description, InDelta | Published,
     Member<&P::Description>::Value, nullptr},
    {"lastused"_L1, "LastUsed"_L1, 0, RunTime | Published, Member<&P::LastUsed>::Value, nullptr},
    {"active"_L1, "Active"_L1, 0, Published, Member<&P::Active>::Value, &Equals<&P::Active, true>},
    {"usercategory"_L1, "UserCategory"_L1, 0, 0, Member<&P::UserCategory>::Value,
     &Equals<&P::UserCategory, false>},
    {"refreshminutes"_L1, "RefreshMinutes"_L1, PF::RefreshMinutes, InDelta | Published,
     Member<&P::RefreshMinutes>::Value, &Equals<&P::RefreshMinutes, P::DefaultRefreshMinutes>},
    {"backcolor"_L1, "BackColor"_L1, PF::BackColor, InDelta | Published,
     Member<&P::BackColor>::Value, nullptr},
    {"dataurl"_L1, "DataURL"_L1, PF::DataURL, InDelta | Published, DataURL::Value, nullptr},
    // Held by the form of the dataurl element.
    {{}, "Protected"_L1, 0, Published, Member<&P::Protected>::Value, nullptr},
    {"siteurl"_L1, "SiteURL"_L1, PF::SiteURL, InDelta | Published, Member<&P::SiteURL>::Value,
     nullptr},
    {"imageurl"_L1, "ImageURL"_L1, PF::ImageURL, InDelta | NoDefaultInDelta | Published,
     Member<&P::ImageURL>::Value, &IsEmpty<&P::ImageURL>},
    {"category"_L1, "Category"_L1, PF::Category, InDelta | Published, Member<&P::Category>::Value,
     nullptr},
    // Compared and applied, yet never written in diff mode.
    {"origin"_L1, "Origin"_L1, PF::Origin, Published, Code<&P::Origin>::Value,
     &Equals<&P::Origin, P::DefaultOrigin>},
    {"needsdetails"_L1, "NeedsDetails"_L1, 0, Published, Member<&P::NeedsDetails>::Value,
     &Equals<&P::NeedsDetails, false>},
    {"istextformat"_L1, "IsTextFormat"_L1, PF::IsTextFormat, InDelta | Published,
     Property<&P::IsTextFormat, &P::SetIsTextFormat>::Value, &IsNotTextFormat},
    {"usetitle"_L1, "UseTitle"_L1, PF::UseTitle, InDelta | Published, Member<&P::UseTitle>::Value,
     &Equals<&P::UseTitle, false>},
    {"textformatspec"_L1, "TextFormatSpec"_L1, PF::TextFormatSpec, InDelta | Published,
     Member<&P::TextFormatSpec>::Value, &IsEmpty<&P::TextFormatSpec>},
    {"language"_L1, "Language"_L1, PF::Language, InDelta | Published, Code<&P::Language>::Value,
     &Equals<&P::Language, P::DefaultLanguage>},
    {"attemptedupdates"_L1, "AttemptedUpdates"_L1, 0, RunTime, Member<&P::AttemptedUpdates>::Value,
     nullptr},
    {"successfulupdates"_L1, "SuccessfulUpdates"_L1, 0, RunTime,
     Member<&P::SuccessfulUpdates>::Value, &AllUpdatesSucceeded},
    {"lastloadduration"_L1, "LastLoadDuration"_L1, 0, RunTime, Member<&P::LastLoadDuration>::Value,
     nullptr},
    {"totalloadduration"_L1, "TotalLoadDuration"_L1, 0, RunTime,
     Member<&P::TotalLoadDuration>::Value, nullptr},
    {"arrivalsound"_L1, "ArrivalSound"_L1, PF::ArrivalSound, InDelta,
     Member<&P::ArrivalSound>::Value, &IsEmpty<&P::ArrivalSound>},
};

} // namespace

bool ProviderField::IsWritten(const Provider& provider, bool diffOnly, bool dynamic) const {
    if (Tag.isEmpty())
        return false;
    const bool atDefault = AtDefault != nullptr && AtDefault(provider);
    if (!diffOnly)
        return (dynamic || (Rules & RunTime) == 0) && !atDefault;
    const bool carried = (Rules & InEveryDelta) != 0 ||
                         ((Rules & InDelta) != 0 && (provider.PresentFlags & Bit) != 0);
    return carried && !(atDefault && (Rules & NoDefaultInDelta) != 0);
}

std::span<const ProviderField> ProviderField::All() {
    return Fields;
}

const ProviderField* ProviderField::WithTag(QStringView tag) {
    const auto* found =
        std::find_if(std::begin(Fields), std::end(Fields),
                     [tag](const auto& field) { return !field.Tag.isEmpty() && field.Tag == tag; });
    return found == std::end(Fields) ? nullptr : found;
}

void ProviderField::CopyAll(const Provider& from, Provider& to) {
    for (const ProviderField& field : Fields)
        field.Value.Copy(from, to);
}

void ProviderField::CopyPublished(const Provider& from, Provider& to) {
    for (const ProviderField& field : Fields) {
        if ((field.Rules & Published) != 0)
            field.Value.Copy(from, to);
    }
}
