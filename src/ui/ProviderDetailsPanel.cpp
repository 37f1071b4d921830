#include "ui/ProviderDetailsPanel.h"

#include "core/ProviderListEditor.h"
#include "feeds/Languages.h"
#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "platform/MessageBox.h"
#include "platform/ProgramError.h"
#include "retrieval/ImageCache.h"
#include "ui/ArrivalSound.h"

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

// Provider colours are packed RGB with red in the low byte.
QColor ColourOf(Long packed) {
    return QColor(packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF);
}

Long Packed(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

} // namespace

ProviderDetailsPanel::ProviderDetailsPanel(ImageCache* images, QWidget* parent)
    : QWidget(parent)
    , m_images(images)
    , m_txtProviderName(AddLine("txtProviderName"))
    , m_cboCategory(new QComboBox(this))
    , m_cboLanguage(new QComboBox(this))
    , m_cboArrivalSound(new QComboBox(this))
    , m_btnBackColor(new QPushButton(this))
    , m_txtDataURL(AddLine("txtDataURL"))
    , m_txtSiteURL(AddLine("txtSiteURL"))
    , m_txtImageURL(AddLine("txtImageURL"))
    , m_txtDescription(new QTextEdit(this))
    , m_txtTextFormatSpec(AddLine("txtTextFormatSpec"))
    , m_sldRefreshHours(new QSlider(Qt::Horizontal, this))
    , m_labRefreshHours(new QLabel(this))
    , m_labOrigin(new QLabel(this))
    , m_chkActive(new QCheckBox(QStringLiteral("&Active"), this))
    , m_chkIsTextFormat(new QCheckBox(QStringLiteral("&Text format"), this))
    , m_chkUseTitle(new QCheckBox(QStringLiteral("&Use title"), this))
    , m_imgProvider(new QLabel(this))
    , m_labImageSize(new QLabel(this)) {
    m_cboCategory->setObjectName(QStringLiteral("cboCategory"));
    m_cboLanguage->setObjectName(QStringLiteral("cboLanguage"));
    m_cboLanguage->addItems(Languages::Names());
    m_cboArrivalSound->setObjectName(QStringLiteral("cboArrivalSound"));
    m_btnBackColor->setObjectName(QStringLiteral("btnBackColor"));
    m_txtDescription->setObjectName(QStringLiteral("txtDescription"));
    m_txtDescription->setAcceptRichText(false);
    m_txtDescription->setMaximumHeight(m_txtDescription->fontMetrics().lineSpacing() * 4);
    m_sldRefreshHours->setObjectName(QStringLiteral("sldRefreshHours"));
    m_sldRefreshHours->setRange(1, MaxRefreshHours);
    m_labRefreshHours->setObjectName(QStringLiteral("labRefreshHours"));
    m_labOrigin->setObjectName(QStringLiteral("labOrigin"));
    m_chkActive->setObjectName(QStringLiteral("chkActive"));
    m_chkIsTextFormat->setObjectName(QStringLiteral("chkIsTextFormat"));
    m_chkUseTitle->setObjectName(QStringLiteral("chkUseTitle"));
    m_imgProvider->setObjectName(QStringLiteral("imgProvider"));
    m_labImageSize->setObjectName(QStringLiteral("labImageSize"));

    auto* refresh = new QHBoxLayout;
    refresh->addWidget(m_sldRefreshHours);
    refresh->addWidget(m_labRefreshHours);
    auto* checks = new QHBoxLayout;
    checks->addWidget(m_chkActive);
    checks->addWidget(m_chkIsTextFormat);
    checks->addWidget(m_chkUseTitle);
    auto* image = new QHBoxLayout;
    image->addWidget(m_imgProvider);
    image->addWidget(m_labImageSize, 1);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Name:"), m_txtProviderName);
    form->addRow(QStringLiteral("&Category:"), m_cboCategory);
    form->addRow(QStringLiteral("&Language:"), m_cboLanguage);
    form->addRow(QStringLiteral("Arrival &sound:"), BuildPickers());
    form->addRow(QStringLiteral("&Data URL:"), m_txtDataURL);
    form->addRow(QStringLiteral("Si&te URL:"), m_txtSiteURL);
    form->addRow(QStringLiteral("&Image URL:"), m_txtImageURL);
    form->addRow(QStringLiteral("D&escription:"), m_txtDescription);
    form->addRow(QStringLiteral("Text &format:"), m_txtTextFormatSpec);
    form->addRow(QStringLiteral("&Refresh:"), refresh);
    form->addRow(QStringLiteral("Origin:"), m_labOrigin);
    form->addRow(checks);
    form->addRow(image);

    connect(m_txtProviderName, &QLineEdit::textEdited, this, [this](const QString& text) {
        Edit([&] { m_provider->ProviderName = text; });
        emit NameChanged();
    });
    connect(m_cboCategory, &QComboBox::activated, this,
            [this](int index) { ChooseCategory(m_cboCategory->itemText(index)); });
    connect(m_cboLanguage, &QComboBox::activated, this, [this](int index) {
        Edit([&] {
            m_provider->Language = Languages::NumberOfName(m_cboLanguage->itemText(index));
        });
    });
    connect(m_cboArrivalSound, &QComboBox::activated, this, [this](int index) {
        Edit([&] { m_provider->ArrivalSound = m_cboArrivalSound->itemText(index); });
    });
    connect(m_btnBackColor, &QPushButton::clicked, this, &ProviderDetailsPanel::ChooseColour);
    connect(m_txtDataURL, &QLineEdit::editingFinished, this, &ProviderDetailsPanel::TakeDataURL);
    connect(m_txtSiteURL, &QLineEdit::textEdited, this,
            [this](const QString& text) { Edit([&] { m_provider->SiteURL = text; }); });
    connect(m_txtImageURL, &QLineEdit::textEdited, this,
            [this](const QString& text) { Edit([&] { m_provider->ImageURL = text; }); });
    connect(m_txtImageURL, &QLineEdit::editingFinished, this, &ProviderDetailsPanel::ShowImage);
    connect(m_txtDescription, &QTextEdit::textChanged, this,
            [this] { Edit([&] { m_provider->Description = m_txtDescription->toPlainText(); }); });
    connect(m_txtTextFormatSpec, &QLineEdit::textEdited, this,
            [this](const QString& text) { Edit([&] { m_provider->TextFormatSpec = text; }); });
    connect(m_sldRefreshHours, &QSlider::valueChanged, this, [this](int hours) {
        Edit([&] { m_provider->RefreshMinutes = static_cast<Integer>(hours * MinutesPerHour); });
        ShowRefreshLabel();
    });
    connect(m_chkActive, &QCheckBox::clicked, this, &ProviderDetailsPanel::ActiveToggled);
    connect(m_chkIsTextFormat, &QCheckBox::clicked, this,
            [this](bool on) { Edit([&] { m_provider->SetIsTextFormat(on); }); });
    connect(m_chkUseTitle, &QCheckBox::clicked, this,
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
            [this, sound] { sound->Play(m_cboArrivalSound->currentText()); });
    m_btnBackColor->setText(QStringLiteral("Back &colour..."));
    auto* row = new QHBoxLayout(pickers);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_cboArrivalSound, 1);
    row->addWidget(browse);
    row->addWidget(play);
    row->addWidget(m_btnBackColor);
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
    m_cboArrivalSound->clear();
    Show(nullptr);
    FillCategories();
}

void ProviderDetailsPanel::FillCategories() {
    const QScopedValueRollback loading(m_loading, true);
    m_cboCategory->clear();
    if (m_providers != nullptr)
        for (const auto& category : m_providers->Categories())
            m_cboCategory->addItem(category->CategoryName);
    if (m_provider != nullptr)
        m_cboCategory->setCurrentIndex(m_cboCategory->findText(m_provider->Category));
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
    m_txtProviderName->setText(provider.ProviderName);
    m_cboCategory->setCurrentIndex(m_cboCategory->findText(provider.Category));
    m_cboLanguage->setCurrentIndex(Languages::IndexOfNumber(provider.Language));
    SelectSound(provider.ArrivalSound);
    m_txtDataURL->setText(provider.Protected ? ProtectedText : provider.DataURL);
    m_txtDataURL->setReadOnly(provider.Protected);
    m_txtSiteURL->setText(provider.SiteURL);
    m_txtImageURL->setText(provider.ImageURL);
    m_txtDescription->setPlainText(provider.Description);
    m_txtTextFormatSpec->setText(provider.TextFormatSpec);
    m_sldRefreshHours->setValue(provider.RefreshMinutes / MinutesPerHour);
    ShowRefreshLabel();
    m_labOrigin->setText(m_provider != nullptr ? Provider::OriginText(provider.Origin) : QString());
    m_chkActive->setChecked(provider.Active);
    m_chkIsTextFormat->setChecked(provider.IsTextFormat());
    m_chkUseTitle->setChecked(provider.UseTitle);
    ShowColour();
    ShowImage();
}

void ProviderDetailsPanel::ShowRefreshLabel() {
    const int hours = m_provider != nullptr ? m_provider->RefreshMinutes / MinutesPerHour : 0;
    m_labRefreshHours->setText(
        ProviderListEditor::CountLabel(hours, QStringLiteral("hour"), QStringLiteral("hours")));
}

void ProviderDetailsPanel::TakeDataURL() {
    if (m_provider == nullptr || m_provider->Protected ||
        m_txtDataURL->text() == m_provider->DataURL)
        return;
    Edit([&] { m_provider->DataURL = m_txtDataURL->text(); });
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
        QColorDialog::getColor(ColourOf(m_provider->BackColor), this, QStringLiteral("Back Colour"),
                               QColorDialog::DontUseNativeDialog);
    if (!colour.isValid())
        return;
    Edit([&] { m_provider->BackColor = Packed(colour); });
    ShowColour();
}

void ProviderDetailsPanel::ShowColour() {
    const QColor colour = m_provider != nullptr ? ColourOf(m_provider->BackColor) : QColor();
    m_btnBackColor->setStyleSheet(
        colour.isValid() ? QStringLiteral("background-color: %1").arg(colour.name()) : QString());
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
    if (m_cboArrivalSound->count() == 0)
        m_cboArrivalSound->addItem(QString());
    if (m_providers != nullptr)
        for (const auto& provider : *m_providers)
            if (m_cboArrivalSound->findText(provider->ArrivalSound) < 0)
                m_cboArrivalSound->addItem(provider->ArrivalSound);
    if (m_cboArrivalSound->findText(name) < 0)
        m_cboArrivalSound->addItem(name);
    m_cboArrivalSound->setCurrentIndex(m_cboArrivalSound->findText(name));
}

void ProviderDetailsPanel::ShowImage() {
    m_imgProvider->clear();
    m_labImageSize->clear();
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
    m_imgProvider->setPixmap(
        fits ? image : image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_labImageSize->setText(QStringLiteral(" (%1 x %2)").arg(image.width()).arg(image.height()));
}
