#pragma once

#include "platform/DesktopShortcut.h"

#include <QWidget>

#include <functional>

class QLineEdit;
class Settings;

// The settings dialog's folders (temporary files, skins) with their pickers,
// and the buttons that put a launcher of the program on the desktop, in the
// applications menu and among the programs started with the session.
class LocationsPage : public QWidget {
    Q_OBJECT

public:
    // Asks for a folder: (parent, caption, folder to start in) -> the chosen
    // folder, empty when the user cancelled.
    using FolderPicker = std::function<QString(QWidget*, const QString&, const QString&)>;

    explicit LocationsPage(QWidget* parent = nullptr);

    void In(const Settings& settings);
    // TempDirectory and SkinDirectory.
    void Out(Settings& settings) const;
    // What the skin folder box holds now.
    QString SkinDirectory() const;

    // Replaces the folder dialog.
    void SetFolderPicker(FolderPicker picker);

private:
    void Browse(QLineEdit* box, const QString& caption);
    void AddShortcut(DesktopShortcut::Place place);

    FolderPicker m_pickFolder;
    QLineEdit* m_tempDirectory;
    QLineEdit* m_skinDirectory;
};
