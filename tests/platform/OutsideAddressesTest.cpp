#include "platform/OutsideAddresses.h"
#include "support/EnvironmentVariable.h"

#include <gtest/gtest.h>

// The environment overrides whatever the build set, and an empty variable
// switches the service off.
TEST(OutsideAddressesTest, EachAddressIsTakenFromItsOwnVariable) {
    const struct {
        const char* variable;
        QString (*address)();
    } cases[] = {
        {"VARNOCET_MASTER_LIST_URL", &OutsideAddresses::MasterListURL},
        {"VARNOCET_HOME_PAGE", &OutsideAddresses::HomePage},
        {"VARNOCET_TRANSLATION_SERVICE_URL", &OutsideAddresses::TranslationService},
        {"VARNOCET_ALIASES_URL", &OutsideAddresses::AliasesURL},
        {"VARNOCET_DIRECTORY_URL", &OutsideAddresses::DirectoryURL},
        {"VARNOCET_PRODUCTS_URL", &OutsideAddresses::ProductsURL},
        {"VARNOCET_DOWNLOAD_PAGE", &OutsideAddresses::DownloadPage},
        {"VARNOCET_SKINS_PAGE", &OutsideAddresses::SkinsPage},
    };
    for (const auto& c : cases) {
        {
            const EnvironmentVariable set(c.variable, " https://mirror.example/x/\n");
            EXPECT_EQ(c.address(), "https://mirror.example/x/") << c.variable;
        }
        const EnvironmentVariable empty(c.variable, "");
        EXPECT_EQ(c.address(), QString()) << c.variable;
    }
}
