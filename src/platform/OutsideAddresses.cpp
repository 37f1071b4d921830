#include "platform/OutsideAddresses.h"

#include "OutsideAddressDefaults.h"

namespace {

QString Address(const char* variable, const char* built) {
    if (qEnvironmentVariableIsSet(variable))
        return qEnvironmentVariable(variable).trimmed();
    return QString::fromUtf8(built).trimmed();
}

} // namespace

namespace OutsideAddresses {

QString MasterListURL() {
    return Address("VARNOCET_MASTER_LIST_URL", OutsideAddressDefaults::MasterListURL);
}

QString HomePage() {
    return Address("VARNOCET_HOME_PAGE", OutsideAddressDefaults::HomePage);
}

QString TranslationService() {
    return Address("VARNOCET_TRANSLATION_SERVICE_URL", OutsideAddressDefaults::TranslationService);
}

QString AliasesURL() {
    return Address("VARNOCET_ALIASES_URL", OutsideAddressDefaults::AliasesURL);
}

QString DirectoryURL() {
    return Address("VARNOCET_DIRECTORY_URL", OutsideAddressDefaults::DirectoryURL);
}

QString ProductsURL() {
    return Address("VARNOCET_PRODUCTS_URL", OutsideAddressDefaults::ProductsURL);
}

QString DownloadPage() {
    return Address("VARNOCET_DOWNLOAD_PAGE", OutsideAddressDefaults::DownloadPage);
}

QString SkinsPage() {
    return Address("VARNOCET_SKINS_PAGE", OutsideAddressDefaults::SkinsPage);
}

} // namespace OutsideAddresses
