#pragma once

#include <QWidget>

#include <memory>

class FontButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QSlider;
class QSpinBox;
class Settings;
class SettingsCheckBoxes;

// The settings dialog's General tab: flipping and display options, the
// delete confirmations, the two list fonts, the translation service and how
// many headlines are kept.
class GeneralPage : public QWidget {
    Q_OBJECT

public:
    explicit GeneralPage(QWidget* parent = nullptr);
    ~GeneralPage() override;

    void In(const Settings& settings);
    void Out(Settings& settings) const;
    // Whether deleting `count` providers asks first, as the boxes stand now.
    bool ConfirmsDelete(qsizetype count) const;

private:
    QWidget* FlipGroup();
    QWidget* DisplayGroup();
    QWidget* ConfirmationGroup();
    QWidget* FontGroup();
    QWidget* TranslationGroup();
    QWidget* KeptGroup();
    QSpinBox* Spin(const QString& name, int most, const QString& suffix);
    void ShowFlipInterval(int seconds);

    std::unique_ptr<SettingsCheckBoxes> m_flip;
    std::unique_ptr<SettingsCheckBoxes> m_display;
    std::unique_ptr<SettingsCheckBoxes> m_confirmations;
    QSlider* m_flipInterval = nullptr;
    QLabel* m_flipLabel = nullptr;
    FontButton* m_articleFont = nullptr;
    FontButton* m_providerFont = nullptr;
    QLineEdit* m_translation = nullptr;
    QSpinBox* m_storiesKept = nullptr;
    QSpinBox* m_daysKept = nullptr;
};
