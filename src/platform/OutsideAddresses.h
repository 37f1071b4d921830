#pragma once

#include <QString>

// The addresses of services outside the program. None is built in: each is
// empty unless the packager set it when building (the CMake cache variable
// of the same name) or its environment variable is set, which wins even
// when it is empty. An empty address switches its feature off, and the
// program works from what it ships.
namespace OutsideAddresses {

// VARNOCET_MASTER_LIST_URL: the server that publishes the master provider
// list; without it the shipped copy of the list is used and never updated.
QString MasterListURL();
// VARNOCET_HOME_PAGE: the program's home page, named in mailed links and in
// the about window, and offered with news of a new version; without it they
// name none.
QString HomePage();
// VARNOCET_TRANSLATION_SERVICE_URL: the translation service a user's
// preferences start with (see Languages::TranslationURL for its form);
// without it articles in other languages open at their own address.
QString TranslationService();
// VARNOCET_ALIASES_URL: the published aliases file (its path ends in
// "/qtk_aliases.xml"); without it the copy shipped with the program is used.
QString AliasesURL();
// VARNOCET_DIRECTORY_URL: the provider directory's service list that
// directory import offers; without it the user names one or picks a file.
QString DirectoryURL();
// VARNOCET_PRODUCTS_URL: the products file that announces new versions of
// the program; without it the program never asks whether one is out.
QString ProductsURL();
// VARNOCET_DOWNLOAD_PAGE: where new versions are downloaded; without it the
// home page stands in, and without both there is no link.
QString DownloadPage();
// VARNOCET_SKINS_PAGE: a page that offers skins; without it the settings
// dialog shows no link to one.
QString SkinsPage();

} // namespace OutsideAddresses
