#pragma once

#include "platform/Currency.h"
#include "platform/Date.h"
#include "platform/Types.h"

#include <QString>

// Every preference, usage counter and window position, read at start-up
// and written back at exit. A plain record: other parts read and assign the
// fields directly. Geometry is in twips (1/1440 inch); the defaults here are
// those of an empty store (SettingsIO::SetDefaultSettings fills in the ones
// that depend on the machine).
class Settings {
public:
    bool AutoFlip = false;
    bool FlipCategories = true;
    bool FlipProviders = false;
    Integer FlipInterval = 15;
    bool CheckForUpdates = true;
    bool SkipEmptyOnFlip = false;
    bool HighlightNewStories = true;
    // Headlines kept per provider beyond its last load, and for how long
    // one no load has carried is kept.
    Integer StoriesKept = 200;
    Integer DaysKept = 60;
    bool ShowActiveProvidersList = true;
    bool ShowActiveProviderImage = true;
    bool ShowCategories = true;
    bool ShowHeadlineBrowser = true;
    bool ShowArticleURL = true;
    QString PrefsVersion;
    bool ConfirmSingleDelete = true;
    bool ConfirmMultipleDelete = true;
    QString ArticleListFont;
    // Points; 0 or less keeps the list's built-in font.
    Currency ArticleListFontSize;
    QString ProviderListFont;
    Currency ProviderListFontSize;
    QString UserEmailAddress;
    bool AskedToSubscribe = false;
    bool SubscribedList = false;
    bool SubscribedChat = false;
    bool SubscribedSkin = false;
    bool OnTop = false;
    bool EasyMove = true;
    bool ShowLastLoadTimeTooltip = false;
    // Usage counters: 32-bit, and they stop at the maximum (SaturatingAdd).
    qint32 Invocations = 0;
    qint32 ProviderSingleClicks = 0;
    qint32 ProviderDoubleClicks = 0;
    qint32 ArticleDoubleClicks = 0;
    qint32 CategoryClicks = 0;
    Date LastLoadUserLand = Date::Never();
    Date LastLoadXMLTree = Date::Never();
    Date LastLoadGrokSoup = Date::Never();
    Date LastLoadNewsIsFree = Date::Never();
    Date LastLoadMasterProviderList = Date::Never();
    Long CheckListItems = 0;
    QString SkinDirectory;
    // Where local copies of provider images are kept.
    QString TempDirectory;
    QString CurrentSkin = QStringLiteral("Torvane");
    // Lifetime total of feed characters received; 64-bit, it passes 2^31
    // within months.
    qint64 CharsRead = 0;
    // 0: no background refresh, 1: visible providers, 2: all providers.
    Long backgroundUpdateMode = 1;
    bool UsePerProviderColor = false;
    bool ShowBrowser = false;
    bool CheckForProviderUpdates = false;
    bool PlayArrivalSounds = true;
    // The service articles in other languages open through, in the form
    // Languages::TranslationURL takes; empty: they open at their own address.
    QString TranslationServiceURL;

    // Window geometry in twips; 32-bit, since a window on a second monitor
    // lies beyond 32767 twips.
    qint32 FormTop = 0;
    qint32 FormLeft = 0;
    qint32 FormWidth = 11925;
    qint32 FormHeight = 8625;
    QString CurrentCategory;
    QString CurrentProvider;
    // 32-bit like the list it counts, which can pass 32767 providers.
    qint32 ProviderCount = 0;
    qint32 LeftSplitterY = 0;
    qint32 RightSplitterY = 0;
    qint32 VertSplitterX = 0;
};
