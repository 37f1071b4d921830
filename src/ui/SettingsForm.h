#pragma once

#include "platform/Date.h"
#include "platform/Types.h"

#include <QDialog>

#include <functional>

class CategoriesPage;
class DirectoryImportCommand;
class GeneralPage;
class LocationsPage;
class OpmlCommands;
class ProgramCore;
class ProviderCollection;
class ProvidersPage;
class QTabWidget;
class Settings;
class SkinsPage;
class StatisticsPage;
class UpdatesPage;

// The settings dialog: preferences, the provider list, categories, skins
// and usage statistics on one tab each. It edits a working copy of the
// provider list in place and copies of the preferences; the caller reads
// OkPressed and ProvidersModified afterwards and puts the edits into effect.
class SettingsForm : public QDialog {
    Q_OBJECT

public:
    // Opens the help at a topic ("SettingsGeneral").
    using HelpOpener = std::function<void(const QString& topic)>;

    SettingsForm(ProgramCore& core, HelpOpener help, QWidget* parent = nullptr);
    ~SettingsForm() override;

    // Fills every tab; `providers` is edited in place until the dialog
    // closes. `providerName` is selected in the list ("/::/": none).
    void SettingsIn(const Settings& settings, ProviderCollection& providers,
                    const QString& providerName, bool showProviders);
    void SettingsOut(Settings& settings) const;
    // The Providers tab with that provider selected ("&Properties").
    void SelectProviderByID(Long uniqueID);

    bool OkPressed() const { return m_okPressed; }
    bool ProvidersModified() const { return m_providersModified; }
    // The help topic of the tab on show.
    QString HelpTopic() const;

    void done(int result) override;

private:
    void AddTabs();
    void ConnectPages();
    void RefillShownPage();
    void Close(bool ok);
    void MarkProvidersModified() { m_providersModified = true; }

    HelpOpener m_help;
    QTabWidget* m_tabs;
    GeneralPage* m_general;
    UpdatesPage* m_updates;
    ProvidersPage* m_providers;
    StatisticsPage* m_statistics;
    SkinsPage* m_skins;
    LocationsPage* m_locations;
    CategoriesPage* m_categories;
    OpmlCommands* m_opml;
    DirectoryImportCommand* m_directory;
    Date m_lastLoadMasterProviderList;
    Date m_lastLoadUserLand;
    bool m_okPressed = false;
    bool m_providersModified = false;
};
