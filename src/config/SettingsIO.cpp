#include "config/SettingsIO.h"

#include "config/ProgramVersion.h"
#include "platform/KnownFolders.h"
#include "platform/MessageBox.h"
#include "platform/OutsideAddresses.h"
#include "platform/ProgramError.h"
#include "platform/SettingsStore.h"
#include "platform/TextConversion.h"

#include <QDir>

#include <cmath>
#include <functional>
#include <vector>

namespace {

const QString Preferences = QStringLiteral("Preferences");
const QString SettingsSection = QStringLiteral("Settings");
const QString PrefsVersionKey = QStringLiteral("PrefsVersion");

// One stored value: where it lives and how it moves between the store's
// text and its field.
struct Binding {
    QString Section;
    QString Key;
    std::function<QString(const Settings&)> Write;
    std::function<void(Settings&, const QString&)> Read;
};

template <typename T>
Binding Bind(const QString& section, const char* key, T Settings::*field) {
    return {section, QString::fromLatin1(key),
            [field](const Settings& s) { return TextConversion::ToText(s.*field); },
            [field](Settings& s, const QString& text) {
                TextConversion::FromText(text, s.*field);
            }};
}

// The stored values in the order they are read and written.
const std::vector<Binding>& Bindings() {
    static const std::vector<Binding> bindings = {
        Bind(Preferences, "AutoFlip", &Settings::AutoFlip),
        Bind(Preferences, "FlipCategories", &Settings::FlipCategories),
        Bind(Preferences, "FlipProviders", &Settings::FlipProviders),
        Bind(Preferences, "FlipInterval", &Settings::FlipInterval),
        Bind(Preferences, "CheckForUpdates", &Settings::CheckForUpdates),
        Bind(Preferences, "SkipEmptyOnFlip", &Settings::SkipEmptyOnFlip),
        Bind(Preferences, "HighlightNewStories", &Settings::HighlightNewStories),
        Bind(Preferences, "StoriesKept", &Settings::StoriesKept),
        Bind(Preferences, "DaysKept", &Settings::DaysKept),
        Bind(Preferences, "ShowActiveProvidersList", &Settings::ShowActiveProvidersList),
        Bind(Preferences, "ShowSiteImage", &Settings::ShowActiveProviderImage),
        Bind(Preferences, "ShowCategories", &Settings::ShowCategories),
        Bind(Preferences, "ShowHeadlineBrowser", &Settings::ShowHeadlineBrowser),
        Bind(Preferences, "ShowArticleURL", &Settings::ShowArticleURL),
        Bind(Preferences, "PrefsVersion", &Settings::PrefsVersion),
        Bind(Preferences, "ConfirmSingleDelete", &Settings::ConfirmSingleDelete),
        Bind(Preferences, "ConfirmMultipleDelete", &Settings::ConfirmMultipleDelete),
        Bind(Preferences, "ArticleListFont", &Settings::ArticleListFont),
        Bind(Preferences, "ArticleListFontSize", &Settings::ArticleListFontSize),
        Bind(Preferences, "ProviderListFont", &Settings::ProviderListFont),
        Bind(Preferences, "ProviderListFontSize", &Settings::ProviderListFontSize),
        Bind(Preferences, "UserEmailAddress", &Settings::UserEmailAddress),
        Bind(Preferences, "AskedToSubscribe", &Settings::AskedToSubscribe),
        Bind(Preferences, "SubscribedList", &Settings::SubscribedList),
        Bind(Preferences, "SubscribedChat", &Settings::SubscribedChat),
        Bind(Preferences, "SubscribedSkin", &Settings::SubscribedSkin),
        Bind(Preferences, "OnTop", &Settings::OnTop),
        Bind(Preferences, "EasyMove", &Settings::EasyMove),
        Bind(Preferences, "ShowLastLoadTimeTooltip", &Settings::ShowLastLoadTimeTooltip),
        Bind(Preferences, "Invocations", &Settings::Invocations),
        Bind(Preferences, "ProviderSingleClicks", &Settings::ProviderSingleClicks),
        Bind(Preferences, "ProviderDoubleClicks", &Settings::ProviderDoubleClicks),
        Bind(Preferences, "ArticleDoubleClicks", &Settings::ArticleDoubleClicks),
        Bind(Preferences, "CategoryClicks", &Settings::CategoryClicks),
        Bind(Preferences, "LastLoadUserLand", &Settings::LastLoadUserLand),
        Bind(Preferences, "LastLoadXMLTree", &Settings::LastLoadXMLTree),
        Bind(Preferences, "LastLoadGrokSoup", &Settings::LastLoadGrokSoup),
        Bind(Preferences, "LastLoadNewsIsFree", &Settings::LastLoadNewsIsFree),
        Bind(Preferences, "LastLoadMasterProviderList", &Settings::LastLoadMasterProviderList),
        Bind(Preferences, "CheckListItems", &Settings::CheckListItems),
        Bind(Preferences, "SkinDirectory", &Settings::SkinDirectory),
        Bind(Preferences, "TempDirectory", &Settings::TempDirectory),
        Bind(Preferences, "CurrentSkin", &Settings::CurrentSkin),
        Bind(Preferences, "CharsRead", &Settings::CharsRead),
        Bind(Preferences, "BackgroundUpdateMode", &Settings::backgroundUpdateMode),
        Bind(Preferences, "UsePerProviderColor", &Settings::UsePerProviderColor),
        Bind(Preferences, "ShowBrowser", &Settings::ShowBrowser),
        Bind(Preferences, "CheckForProviderUpdates", &Settings::CheckForProviderUpdates),
        Bind(Preferences, "PlayArrivalSounds", &Settings::PlayArrivalSounds),
        Bind(Preferences, "TranslationServiceURL", &Settings::TranslationServiceURL),
        Bind(SettingsSection, "FormTop", &Settings::FormTop),
        Bind(SettingsSection, "FormLeft", &Settings::FormLeft),
        Bind(SettingsSection, "FormWidth", &Settings::FormWidth),
        Bind(SettingsSection, "FormHeight", &Settings::FormHeight),
        Bind(SettingsSection, "CurrentCategory", &Settings::CurrentCategory),
        Bind(SettingsSection, "CurrentProvider", &Settings::CurrentProvider),
        Bind(SettingsSection, "ProviderCount", &Settings::ProviderCount),
        Bind(SettingsSection, "LeftSplitterY", &Settings::LeftSplitterY),
        Bind(SettingsSection, "RightSplitterY", &Settings::RightSplitterY),
        Bind(SettingsSection, "VertSplitterX", &Settings::VertSplitterX),
    };
    return bindings;
}

// Half of the free space, rounded to the nearest integer, halves to even.
qint32 Centred(int screenTwips, qint32 windowTwips) {
    return static_cast<qint32>(std::nearbyint((screenTwips - windowTwips) / 2.0));
}

} // namespace

namespace SettingsIO {

void SetDefaultSettings(Settings& settings, const QSize& screenSizeTwips) {
    settings = Settings();
    settings.SkinDirectory = QDir(KnownFolders::DataFolder()).filePath(QStringLiteral("skins"));
    settings.TempDirectory = KnownFolders::Cache();
    settings.TranslationServiceURL = OutsideAddresses::TranslationService();
    settings.FormTop = Centred(screenSizeTwips.height(), settings.FormHeight);
    settings.FormLeft = Centred(screenSizeTwips.width(), settings.FormWidth);
}

bool ReadSettings(SettingsStore& store, const QString& strApplication, Settings& settings) {
    bool allRead = true;
    for (const Binding& binding : Bindings()) {
        try {
            const QString text =
                store.Get(strApplication, binding.Section, binding.Key, binding.Write(settings));
            binding.Read(settings, text);
        } catch (const ProgramError&) {
            allRead = false;
        }
    }
    if (!allRead)
        MessageBox::ShowOperationError(QStringLiteral("ReadSettings"));
    return allRead;
}

void WriteSettings(SettingsStore& store, const QString& strApplication, const Settings& settings) {
    QString section;
    for (const Binding& binding : Bindings()) {
        if (binding.Section != section) {
            section = binding.Section;
            store.DeleteSection(strApplication, section);
        }
        const QString text =
            binding.Key == PrefsVersionKey ? ProgramVersionString() : binding.Write(settings);
        store.Save(strApplication, binding.Section, binding.Key, text);
    }
    store.Sync();
}

} // namespace SettingsIO
