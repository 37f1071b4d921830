#pragma once

#include <QWidget>

#include <memory>

class ImageCache;
class Provider;
class ProviderCollection;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTextEdit;

// The fields of the provider chosen in the settings dialog's provider list.
// Every edit is written to the provider at once; the data URL only when its
// box is left, and never for a protected provider.
class ProviderDetailsPanel : public QWidget {
    Q_OBJECT

public:
    // `images` (may be null) gives the logo as a local file.
    explicit ProviderDetailsPanel(ImageCache* images, QWidget* parent = nullptr);

    // The list whose categories and sounds the choosers offer; null for
    // none, which also empties the panel.
    void SetProviders(ProviderCollection* providers);
    // The category chooser again from the list's categories.
    void FillCategories();
    // The provider to edit; null empties and disables the panel.
    void Show(std::shared_ptr<Provider> provider);
    const std::shared_ptr<Provider>& Shown() const { return m_provider; }
    // The fields again from the provider, after its details arrived.
    void Refresh();

signals:
    void Modified();
    void NameChanged();
    // The active box applies to every selected provider: the page does it.
    void ActiveToggled(bool active);
    // A new data URL was taken for a provider that has told nothing of
    // itself yet.
    void DetailsWanted();

private:
    QLineEdit* AddLine(const char* objectName);
    QWidget* BuildPickers();
    // Writes through `write` and tells the page, unless the panel is filling.
    template <typename Write>
    void Edit(Write write);
    void TakeDataURL();
    void ChooseCategory(const QString& path);
    void ChooseColour();
    void ChooseSound();
    void SelectSound(const QString& name);
    void ShowColour();
    void ShowImage();
    void ShowRefreshLabel();

    ImageCache* m_images;
    ProviderCollection* m_providers = nullptr;
    std::shared_ptr<Provider> m_provider;
    bool m_loading = false;

    QLineEdit* m_name;
    QComboBox* m_category;
    QComboBox* m_language;
    QComboBox* m_arrivalSound;
    QPushButton* m_backColor;
    QLineEdit* m_dataURL;
    QLineEdit* m_siteURL;
    QLineEdit* m_imageURL;
    QTextEdit* m_description;
    QLineEdit* m_textFormatSpec;
    QSlider* m_refreshHours;
    QLabel* m_refreshLabel;
    QLabel* m_origin;
    QCheckBox* m_active;
    QCheckBox* m_isTextFormat;
    QCheckBox* m_useTitle;
    QLabel* m_image;
    QLabel* m_imageSize;
};
