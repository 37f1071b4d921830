#include "ui/ProviderDetailsPanel.h"

#include "core/ProviderListEditor.h"
#include "feeds/Languages.h"
#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "platform/MessageBox.h"
#include "platform/ProgramError.h"
#include "retrieval/ImageCache.h"
#include "ui/ArrivalSound.h"
#include "ui/ProviderColour.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSlider>
#include <QTextEdit>

namespace {

constexpr int MinutesPerHour = 60;
constexpr int MaxRefreshHours = 24;

const QString ProtectedText = QStringLiteral("(Protected)");

} // namespace

ProviderDetailsPanel::ProviderDetailsPanel(ImageCache* images, QWidget* parent)
    : QWidget(parent)
    , m_images(images)
    , m_name(AddLine("txtProviderName"))
    , m_category(new QComboBox(this))
    , m_language(new QComboBox(this))
    , m_arrivalSound(new QComboBox(this))
    , m_backColor(new QPushButton(this))
    , m_dataURL(AddLine("txtDataURL"))
    , m_siteURL(AddLine("txtSiteURL"))
    , m_imageURL(AddLine("txtImageURL"))
    , m_description(new QTextEdit(this))
    , m_textFormatSpec(AddLine("txtTextFormatSpec"))
    , m_refreshHours(new QSlider(Qt::Horizontal, this))
    , m_refreshLabel(new QLabel(this))
    , m_origin(new QLabel(this))
    , m_active(new QCheckBox(QStringLiteral("&Active"), this))
    , m_isTextFormat(new QCheckBox(QStringLiteral("&Text format"), this))
    , m_useTitle(new QCheckBox(QStringLiteral("&Use title"), this))
    , m_image(new QLabel(this))
    , m_imageSize(new QLabel(this)) {
    m_category->setObjectName(QStringLiteral("cboCategory"));
    m_language->setObjectName(QStringLiteral("cboLanguage"));
    m_language->addItems(Languages::Names());
    m_arrivalSound->setObjectName(QStringLiteral("cboArrivalSound"));
    m_backColor->setObjectName(QStringLiteral("btnBackColor"));
    m_description->setObjectName(QStringLiteral("txtDescription"));
    m_description->setAcceptRichText(false);
    m_description->setMaximumHeight(m_description->fontMetrics().lineSpacing() * 4);
    m_refreshHours->setObjectName(QStringLiteral("sldRefreshHours"));
    m_refreshHours->setRange(1, MaxRefreshHours);
    m_refreshLabel->setObjectName(QStringLiteral("labRefreshHours"));
    m_origin->setObjectName(QStringLiteral("labOrigin"));
    m_active->setObjectName(QStringLiteral("chkActive"));
    m_isTextFormat->setObjectName(QStringLiteral("chkIsTextFormat"));
    m_useTitle->setObjectName(QStringLiteral("chkUseTitle"));
    m_image->setObjectName(QStringLiteral("imgProvider"));
    m_imageSize->setObjectName(QStringLiteral("labImageSize"));

    auto* refresh = new QHBoxLayout;
    refresh->addWidget(m_refreshHours);
    refresh->addWidget(m_refreshLabel);
    auto* checks = new QHBoxLayout;
    checks->addWidget(m_active);
    checks->addWidget(m_isTextFormat);
    checks->addWidget(m_useTitle);
    auto* image = new QHBoxLayout;
    image->addWidget(m_image);
    image->addWidget(m_imageSize, 1);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Name:"), m_name);
    form->addRow(QStringLiteral("&Category:"), m_category);
    form->addRow(QStringLiteral("&Language:"), m_language);
    form->addRow(QStringLiteral("Arrival &sound:"), BuildPickers());
    form->addRow(QStringLiteral("&Data URL:"), m_dataURL);
    form->addRow(QStringLiteral("Si&te URL:"), m_siteURL);
    form->addRow(QStringLiteral("&Image URL:"), m_imageURL);
    form->addRow(QStringLiteral("D&escription:"), m_description);
    form->addRow(QStringLiteral("Text &format:"), m_textFormatSpec);
    form->addRow(QStringLiteral("&Refresh:"), refresh);
    form->addRow(QStringLiteral("Origin:"), m_origin);
    form->addRow(checks);
    form->addRow(image);

    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
        Edit([&] { m_provider->ProviderName = text; });
        emit NameChanged();
    });
    connect(m_category, &QComboBox::activated, this,
            [this](int index) { ChooseCategory(m_category->itemText(index)); });
    connect(m_language, &QComboBox::activated, this, [this](int index) {
        Edit([&] { m_provider->Language = Languages::NumberOfName(m_language->itemText(index)); });
    });
    connect(m_arrivalSound, &QComboBox::activated, this, [this](int index) {
        Edit([&] { m_provider->ArrivalSound = m_arrivalSound->itemText(index); });
    });
    connect(m_backColor, &QPushButton::clicked, this, &ProviderDetailsPanel::ChooseColour);
    connect(m_dataURL, &QLineEdit::editingFinished, this, &ProviderDetailsPanel::TakeDataURL);
    connect(m_siteURL, &QLineEdit::textEdited, this,
            [this](const QString& text) { Edit([&] { m_provider->SiteURL = text; }); });
    connect(m_imageURL, &QLineEdit::textEdited, this,
            [this](const QString& text) { Edit([&] { m_provider->ImageURL = text; }); });
    connect(m_imageURL, &QLineEdit::editingFinished, this, &ProviderDetailsPanel::ShowImage);
    connect(m_description, &QTextEdit::textChanged, this,
            [this] { Edit([&] { m_provider->Description = m_description->toPlainText(); }); });
    connect(m_textFormatSpec, &QLineEdit::textEdited, this,
            [this](const QString& text) { Edit([&] { m_provider->TextFormatSpec = text; }); });
    connect(m_refreshHours, &QSlider::valueChanged, this, [this](int hours) {
        Edit([&] { m_provider->RefreshMinutes = static_cast<Integer>(hours * MinutesPerHour); });
        ShowRefreshLabel();
    });
    connect(m_active, &QCheckBox::clicked, this, &ProviderDetailsPanel::ActiveToggled);
    connect(m_isTextFormat, &QCheckBox::clicked, this,
            [this](bool on) { Edit([&] { m_provider->SetIsTextFormat(on); }); });
    connect(m_useTitle, &QCheckBox::clicked, this,
            [this](bool on) { Edit([&] { m_provider->UseTitle = on; }); });
    if (m_images != nullptr)
        connect(m_images, &ImageCache::ImageArrived, this, [this](const QString& url) {
            if (m_provider != nullptr && m_provider->ImageURL == url)
                ShowImage();
        });
    Show(nullptr);
}

QLineEdit* ProviderDetailsPanel::AddLine(const char* objectName) {
    auto* line = new QLineEdit(this);
    line->setObjectName(QString::fromLatin1(objectName));
    return line;
}

QWidget* ProviderDetailsPanel::BuildPickers() {
    auto* pickers = new QWidget(this);
    auto* browse = new QPushButton(QStringLiteral("..."), pickers);
    browse->setObjectName(QStringLiteral("btnBrowseSound"));
    browse->setToolTip(QStringLiteral("Choose a sound file"));
    auto* play = new QPushButton(QStringLiteral("Play"), pickers);
    play->setObjectName(QStringLiteral("btnPlaySound"));
    auto* sound = new ArrivalSound(this);
    connect(browse, &QPushButton::clicked, this, &ProviderDetailsPanel::ChooseSound);
    connect(play, &QPushButton::clicked, this,
            [this, sound] { sound->Play(m_arrivalSound->currentText()); });
    m_backColor->setText(QStringLiteral("Back &colour..."));
    auto* row = new QHBoxLayout(pickers);
    row->setContentsMargins(0, 0, 0, 0);
    // Room for a sound's name beside the three buttons.
    m_arrivalSound->setMinimumContentsLength(8);
    m_arrivalSound->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    row->addWidget(m_arrivalSound, 1);
    row->addWidget(browse);
    row->addWidget(play);
    row->addWidget(m_backColor);
    return pickers;
}

template <typename Write>
void ProviderDetailsPanel::Edit(Write write) {
    if (m_loading || m_provider == nullptr)
        return;
    write();
    emit Modified();
}

void ProviderDetailsPanel::SetProviders(ProviderCollection* providers) {
    m_providers = providers;
    m_arrivalSound->clear();
    Show(nullptr);
    FillCategories();
}

void ProviderDetailsPanel::FillCategories() {
    const QScopedValueRollback loading(m_loading, true);
    m_category->clear();
    if (m_providers != nullptr)
        for (const auto& category : m_providers->Categories())
            m_category->addItem(category->CategoryName);
    if (m_provider != nullptr)
        m_category->setCurrentIndex(m_category->findText(m_provider->Category));
}

void ProviderDetailsPanel::Show(std::shared_ptr<Provider> provider) {
    m_provider = std::move(provider);
    setEnabled(m_provider != nullptr);
    Refresh();
}

void ProviderDetailsPanel::Refresh() {
    const QScopedValueRollback loading(m_loading, true);
    const Provider empty;
    const Provider& provider = m_provider != nullptr ? *m_provider : empty;
    m_name->setText(provider.ProviderName);
    m_category->setCurrentIndex(m_category->findText(provider.Category));
    m_language->setCurrentIndex(Languages::IndexOfNumber(provider.Language));
    SelectSound(provider.ArrivalSound);
    m_dataURL->setText(provider.Protected ? ProtectedText : provider.DataURL);
    m_dataURL->setReadOnly(provider.Protected);
    m_siteURL->setText(provider.SiteURL);
    m_imageURL->setText(provider.ImageURL);
    m_description->setPlainText(provider.Description);
    m_textFormatSpec->setText(provider.TextFormatSpec);
    m_refreshHours->setValue(provider.RefreshMinutes / MinutesPerHour);
    ShowRefreshLabel();
    m_origin->setText(m_provider != nullptr ? Provider::OriginText(provider.Origin) : QString());
    m_active->setChecked(provider.Active);
    m_isTextFormat->setChecked(provider.IsTextFormat());
    m_useTitle->setChecked(provider.UseTitle);
    ShowColour();
    ShowImage();
}

void ProviderDetailsPanel::ShowRefreshLabel() {
    const int hours = m_provider != nullptr ? m_provider->RefreshMinutes / MinutesPerHour : 0;
    m_refreshLabel->setText(
        ProviderListEditor::CountLabel(hours, QStringLiteral("hour"), QStringLiteral("hours")));
}

void ProviderDetailsPanel::TakeDataURL() {
    if (m_provider == nullptr || m_provider->Protected || m_dataURL->text() == m_provider->DataURL)
        return;
    Edit([&] { m_provider->DataURL = m_dataURL->text(); });
    if (ProviderListEditor::WantsDetails(*m_provider))
        emit DetailsWanted();
}

void ProviderDetailsPanel::ChooseCategory(const QString& path) {
    if (m_loading || m_provider == nullptr || m_providers == nullptr)
        return;
    const qsizetype found = m_providers->Categories().LocateCategory(path);
    if (found > 0) {
        Category& category = *m_providers->Categories().Item(found);
        if (!category.Active && MessageBox::Show(ProviderListEditor::InactiveCategoryQuestion(path),
                                                 MessageBoxPresenter::Buttons::YesNo) ==
                                    MessageBoxPresenter::Answer::Yes)
            category.Active = true;
    }
    ProviderListEditor(*m_providers).AssignCategory(*m_provider, path);
    emit Modified();
}

void ProviderDetailsPanel::ChooseColour() {
    if (m_provider == nullptr)
        return;
    const QColor colour =
        QColorDialog::getColor(ProviderColour::FromPacked(m_provider->BackColor), this,
                               QStringLiteral("Back Colour"), QColorDialog::DontUseNativeDialog);
    if (!colour.isValid())
        return;
    Edit([&] { m_provider->BackColor = ProviderColour::Packed(colour); });
    ShowColour();
}

void ProviderDetailsPanel::ShowColour() {
    const QColor colour =
        m_provider != nullptr ? ProviderColour::FromPacked(m_provider->BackColor) : QColor();
    m_backColor->setStyleSheet(colour.isValid()
                                   ? QStringLiteral("background-color: %1; color: %2")
                                         .arg(colour.name(), ProviderColour::TextOn(colour).name())
                                   : QString());
}

void ProviderDetailsPanel::ChooseSound() {
    if (m_provider == nullptr)
        return;
    const QString mediaFolder = ArrivalSound::MediaFolder();
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Arrival Sound"), mediaFolder, QStringLiteral("Wave Files (*.wav)"),
        nullptr, QFileDialog::DontUseNativeDialog);
    if (file.isEmpty())
        return;
    const QString name = ProviderListEditor::ArrivalSoundName(file, mediaFolder);
    Edit([&] { m_provider->ArrivalSound = name; });
    SelectSound(name);
}

// The list offers no sound and every sound a provider of the list has; a
// new name joins it.
void ProviderDetailsPanel::SelectSound(const QString& name) {
    const QScopedValueRollback loading(m_loading, true);
    if (m_arrivalSound->count() == 0)
        m_arrivalSound->addItem(QString());
    if (m_providers != nullptr)
        for (const auto& provider : *m_providers)
            if (m_arrivalSound->findText(provider->ArrivalSound) < 0)
                m_arrivalSound->addItem(provider->ArrivalSound);
    if (m_arrivalSound->findText(name) < 0)
        m_arrivalSound->addItem(name);
    m_arrivalSound->setCurrentIndex(m_arrivalSound->findText(name));
}

void ProviderDetailsPanel::ShowImage() {
    m_image->clear();
    m_imageSize->clear();
    if (m_provider == nullptr || m_images == nullptr || m_provider->ImageURL.isEmpty())
        return;
    QString file;
    try {
        file = m_images->LocalImageFile(m_provider->ImageURL);
    } catch (const ProgramError&) {
        return; // a local path that names no file: nothing to show
    }
    const QPixmap image(file);
    if (image.isNull())
        return;
    // A large logo is shown smaller; its size is told as it is.
    const QSize room(160, 80);
    const bool fits = image.width() <= room.width() && image.height() <= room.height();
    m_image->setPixmap(fits ? image
                            : image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_imageSize->setText(QStringLiteral(" (%1 x %2)").arg(image.width()).arg(image.height()));
}
