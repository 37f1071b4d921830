#pragma once

#include "ui/DesktopActions.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QListWidget;
class Settings;
class Skin;
class SkinCollection;

// The settings dialog's skins: the desktop's own frame first, then every
// skin of the skin directory, with the chosen one's description, author and
// preview. The directory is read afresh each time the tab is shown, so a
// skin copied there meanwhile appears.
class SkinsPage : public QWidget {
    Q_OBJECT

public:
    // The skin directory as the Locations tab has it now.
    using DirectorySource = std::function<QString()>;
    // Opens the help at a topic.
    using HelpOpener = std::function<void(const QString& topic)>;

    SkinsPage(SkinCollection& skins, DirectorySource directory, HelpOpener help,
              DesktopActions desktop = DesktopActions(), QWidget* parent = nullptr);

    void In(const Settings& settings);
    // CurrentSkin: the chosen skin's folder, empty for the desktop's frame.
    void Out(Settings& settings) const;
    // Reads the skin directory and fills the list; says what could not be
    // read.
    void Refill();

private:
    QWidget* MakeDetails();
    QWidget* MakeLinks(const HelpOpener& help);
    void ShowDetails();
    void ShowSkin(const Skin& skin);
    void ShowNativeFrame();
    void ShowAuthor(const QString& name, const QString& email, const QString& site);
    void ShowPicture(const QString& file);
    void OpenLink(const QString& link) const;
    std::shared_ptr<Skin> SelectedSkin() const;

    SkinCollection& m_skins;
    DirectorySource m_directory;
    DesktopActions m_desktop;
    // The folder of the chosen skin; empty for the desktop's frame.
    QString m_selected;
    QString m_scanned;
    QListWidget* m_list;
    QLabel* m_description;
    QLabel* m_authorName;
    QLabel* m_authorEmail;
    QLabel* m_authorSite;
    QLabel* m_picture;
};
