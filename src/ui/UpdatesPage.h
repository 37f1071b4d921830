#pragma once

#include "platform/Types.h"

#include <QWidget>

#include <memory>

class Date;
class QButtonGroup;
class QLabel;
class Settings;
class SettingsCheckBoxes;

// The settings dialog's Updates tab: the checks for program and provider
// list updates, which providers refresh in the background, and when the
// master provider list was last merged.
class UpdatesPage : public QWidget {
    Q_OBJECT

public:
    explicit UpdatesPage(QWidget* parent = nullptr);
    ~UpdatesPage() override;

    void In(const Settings& settings);
    void Out(Settings& settings) const;
    void ShowMasterListDate(const Date& merged);

private:
    QWidget* CheckGroup();
    QWidget* BackgroundGroup();

    std::unique_ptr<SettingsCheckBoxes> m_checks;
    QButtonGroup* m_background = nullptr;
    QLabel* m_masterListDate = nullptr;
};
