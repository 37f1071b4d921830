#include "feeds/Languages.h"

#include "feeds/UrlEncoding.h"

#include <array>

namespace {

struct Language {
    QStringView name;
    Long number;
    QStringView code;
};

constexpr std::array<Language, 10> Table = {{{u"Chinese", 9, u"ch"},
                                             {u"English", 1, u"en"},
                                             {u"French", 3, u"fr"},
                                             {u"German", 4, u"de"},
                                             {u"Italian", 5, u"it"},
                                             {u"Japanese", 10, u"ja"},
                                             {u"Korean", 8, u"ko"},
                                             {u"Russian", 7, u"ru"},
                                             {u"Spanish", 2, u"es"},
                                             {u"Portuguese", 6, u"pt"}}};

template <typename Matches>
const Language* Find(Matches matches) {
    for (const Language& language : Table) {
        if (matches(language))
            return &language;
    }
    return nullptr;
}

// The slots of a translation service's address template.
const QString UrlSlot = QStringLiteral("{url}");
const QString FromSlot = QStringLiteral("{lin}");
const QString ToSlot = QStringLiteral("{lout}");
const QString DefaultQuery = QStringLiteral("url={url}&lin={lin}&lout={lout}");

const Language* WithNumber(Long number) {
    return Find([number](const Language& language) { return language.number == number; });
}

} // namespace

namespace Languages {

QStringList Names() {
    QStringList names;
    for (const Language& language : Table)
        names.append(language.name.toString());
    return names;
}

int IndexOfNumber(Long number) {
    const Language* language = WithNumber(number);
    return language ? static_cast<int>(language - Table.data()) : -1;
}

QString NameOfNumber(Long number) {
    const Language* language = WithNumber(number);
    return language ? language->name.toString() : QString();
}

Long NumberOfName(const QString& name) {
    const Language* language =
        Find([&name](const Language& candidate) { return candidate.name == name; });
    return language ? language->number : 0;
}

Long NumberOfCode(const QString& code) {
    const Language* language = Find([&code](const Language& candidate) {
        return candidate.code.compare(code, Qt::CaseInsensitive) == 0;
    });
    return language ? language->number : 0;
}

QString CodeOfNumber(Long number) {
    const Language* language = WithNumber(number);
    return language ? language->code.toString() : QString();
}

Long LookupLanguageCode(const QString& code) {
    if (code.compare(QLatin1String("zh"), Qt::CaseInsensitive) == 0)
        return NumberOfCode(QStringLiteral("ch"));
    return NumberOfCode(code);
}

QString TranslationURL(const QString& service, Long from, Long to, const QString& url) {
    const QString fromCode = CodeOfNumber(from);
    const QString toCode = CodeOfNumber(to);
    if (service.isEmpty() || from == to || fromCode.isEmpty() || toCode.isEmpty())
        return url;
    QString address = service;
    if (!address.contains(UrlSlot))
        address += (address.contains(u'?') ? u'&' : u'?') + DefaultQuery;
    // The url is a query value: unencoded, its own "&" and "#" would cut it.
    // It goes in last, so that nothing in it is taken for a slot.
    return address.replace(FromSlot, fromCode)
        .replace(ToSlot, toCode)
        .replace(UrlSlot, UrlEncoding::URLEncode(url, false));
}

} // namespace Languages
