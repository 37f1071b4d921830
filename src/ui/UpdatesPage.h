#pragma once

#include "platform/Types.h"

#include <QWidget>

#include <memory>

class Date;
class QButtonGroup;
class QLabel;
class QLayout;
class QPushButton;
class Settings;
class SettingsCheckBoxes;

// The settings dialog's Updates tab: the checks for program and provider
// list updates, which providers refresh in the background, and when the
// master provider list was last merged. "Check Now" asks for the program
// update check (UpdateCheckRequested) and shows the answer it is given;
// "Visit Download Site" opens the download page, or the home page.
class UpdatesPage : public QWidget {
    Q_OBJECT

public:
    explicit UpdatesPage(QWidget* parent = nullptr);
    ~UpdatesPage() override;

    void In(const Settings& settings);
    void Out(Settings& settings) const;
    void ShowMasterListDate(const Date& merged);
    // The answer to UpdateCheckRequested, in a box over the dialog; Check
    // Now can be pressed again.
    void ShowUpdateCheckAnswer(const QString& text);

signals:
    void UpdateCheckRequested();

private:
    QWidget* CheckGroup();
    QLayout* ProgramUpdateButtons(QWidget& group);
    void RequestUpdateCheck();
    QWidget* BackgroundGroup();

    std::unique_ptr<SettingsCheckBoxes> m_checks;
    QButtonGroup* m_background = nullptr;
    QLabel* m_masterListDate = nullptr;
    QPushButton* m_checkNow = nullptr;
};
