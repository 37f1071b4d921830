#include "ui/GeneralPage.h"

#include "config/Settings.h"
#include "core/ProviderListEditor.h"
#include "ui/FontButton.h"
#include "ui/SettingsCheckBoxes.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The slowest speed of the command bar's menu is a minute; the slider gives
// twice that.
constexpr int LongestFlipInterval = 120;

QGroupBox* Group(const QString& title, QWidget& owner, QLayout* layout) {
    auto* group = new QGroupBox(title, &owner);
    group->setLayout(layout);
    return group;
}

} // namespace

GeneralPage::GeneralPage(QWidget* parent)
    : QWidget(parent) {
    auto* columns = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(FlipGroup());
    left->addWidget(ConfirmationGroup());
    left->addWidget(FontGroup());
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(DisplayGroup());
    right->addWidget(TranslationGroup());
    right->addWidget(KeptGroup());
    right->addStretch();
    columns->addLayout(left);
    columns->addLayout(right);
}

GeneralPage::~GeneralPage() = default;

QWidget* GeneralPage::FlipGroup() {
    auto* layout = new QVBoxLayout;
    m_flip = std::make_unique<SettingsCheckBoxes>(
        QList<SettingsCheckBoxes::Binding>{
            {"chkAutoFlip", tr("Flip through the articles automatically"), &Settings::AutoFlip},
            {"ChkFlipCategories", tr("Flip on into the next category"), &Settings::FlipCategories},
        },
        *layout, *this);
    auto* interval = new QHBoxLayout;
    m_flipInterval = new QSlider(Qt::Horizontal, this);
    m_flipInterval->setObjectName(QStringLiteral("sldFlipInterval"));
    m_flipInterval->setRange(1, LongestFlipInterval);
    m_flipLabel = new QLabel(this);
    m_flipLabel->setObjectName(QStringLiteral("txtFlipMinutes"));
    connect(m_flipInterval, &QSlider::valueChanged, this, &GeneralPage::ShowFlipInterval);
    interval->addWidget(new QLabel(tr("Every"), this));
    interval->addWidget(m_flipInterval, 1);
    interval->addWidget(m_flipLabel);
    layout->addLayout(interval);
    return Group(tr("Auto-flip"), *this, layout);
}

QWidget* GeneralPage::DisplayGroup() {
    auto* layout = new QVBoxLayout;
    m_display = std::make_unique<SettingsCheckBoxes>(
        QList<SettingsCheckBoxes::Binding>{
            {"chkHighlightNewStories", tr("Highlight new stories"), &Settings::HighlightNewStories},
            {"chkShowActiveProvidersList", tr("Show the news feeds"),
             &Settings::ShowActiveProvidersList},
            {"chkShowSiteImage", tr("Show the provider's site image"),
             &Settings::ShowActiveProviderImage},
            {"chkShowCategories", tr("Show categories in the feed tree"),
             &Settings::ShowCategories},
            {"chkShowButtons", tr("Show the mini browser"), &Settings::ShowHeadlineBrowser},
            {"chkShowArticleURL", tr("Show the article's address"), &Settings::ShowArticleURL},
            {"chkShowLastLoadTimeTooltip", tr("Show the last load time as a tooltip"),
             &Settings::ShowLastLoadTimeTooltip},
            {"chkUsePerProviderColor", tr("Use each provider's own colour"),
             &Settings::UsePerProviderColor},
            {"chkShowBrowser", tr("Show articles in a separate browser window"),
             &Settings::ShowBrowser},
            {"chkPlayArrivalSounds", tr("Play a sound when new stories arrive"),
             &Settings::PlayArrivalSounds},
            {"chkOnTop", tr("Keep the window above others"), &Settings::OnTop},
            {"chkEasyMove", tr("Move the window by dragging its body"), &Settings::EasyMove},
        },
        *layout, *this);
    return Group(tr("Display"), *this, layout);
}

QWidget* GeneralPage::ConfirmationGroup() {
    auto* layout = new QVBoxLayout;
    m_confirmations = std::make_unique<SettingsCheckBoxes>(
        QList<SettingsCheckBoxes::Binding>{
            {"chkConfirmSingleDelete", tr("Ask before deleting a provider"),
             &Settings::ConfirmSingleDelete},
            {"chkConfirmMultipleDelete", tr("Ask before deleting several providers"),
             &Settings::ConfirmMultipleDelete},
        },
        *layout, *this);
    return Group(tr("Confirmations"), *this, layout);
}

QWidget* GeneralPage::FontGroup() {
    auto* layout = new QFormLayout;
    m_articleFont = new FontButton(this);
    m_articleFont->setObjectName(QStringLiteral("btnSetArticleListFont"));
    m_providerFont = new FontButton(this);
    m_providerFont->setObjectName(QStringLiteral("btnSetProviderListFont"));
    layout->addRow(tr("Article list:"), m_articleFont);
    layout->addRow(tr("Feed tree:"), m_providerFont);
    return Group(tr("Fonts"), *this, layout);
}

QWidget* GeneralPage::TranslationGroup() {
    auto* layout = new QVBoxLayout;
    m_translation = new QLineEdit(this);
    m_translation->setObjectName(QStringLiteral("txtTranslationServiceURL"));
    m_translation->setPlaceholderText(tr("None: articles open at their own address"));
    auto* hint = new QLabel(tr("Articles in another language than yours open through this "
                               "address: {url} stands for the article's address, {lin} and "
                               "{lout} for the two languages."),
                            this);
    hint->setWordWrap(true);
    layout->addWidget(m_translation);
    layout->addWidget(hint);
    return Group(tr("Translation service"), *this, layout);
}

QSpinBox* GeneralPage::Spin(const QString& name, int most, const QString& suffix) {
    auto* spin = new QSpinBox(this);
    spin->setObjectName(name);
    spin->setRange(0, most);
    spin->setSuffix(suffix);
    return spin;
}

QWidget* GeneralPage::KeptGroup() {
    auto* layout = new QFormLayout;
    m_storiesKept = Spin(QStringLiteral("spnStoriesKept"), 10000, tr(" headlines"));
    m_daysKept = Spin(QStringLiteral("spnDaysKept"), 3650, tr(" days"));
    layout->addRow(tr("Per feed, up to:"), m_storiesKept);
    layout->addRow(tr("Seen within:"), m_daysKept);
    auto* hint = new QLabel(tr("The last headlines of every feed are kept across restarts; older "
                               "ones as long as both limits allow."),
                            this);
    hint->setWordWrap(true);
    layout->addRow(hint);
    return Group(tr("Headlines kept"), *this, layout);
}

void GeneralPage::ShowFlipInterval(int seconds) {
    m_flipLabel->setText(ProviderListEditor::CountLabel(seconds, tr("second"), tr("seconds")));
}

void GeneralPage::In(const Settings& settings) {
    for (const auto* boxes : {m_flip.get(), m_display.get(), m_confirmations.get()})
        boxes->In(settings);
    m_flipInterval->setValue(static_cast<int>(settings.FlipInterval));
    ShowFlipInterval(m_flipInterval->value());
    m_articleFont->SetChoice(settings.ArticleListFont, settings.ArticleListFontSize);
    m_providerFont->SetChoice(settings.ProviderListFont, settings.ProviderListFontSize);
    m_translation->setText(settings.TranslationServiceURL);
    m_storiesKept->setValue(settings.StoriesKept);
    m_daysKept->setValue(settings.DaysKept);
}

void GeneralPage::Out(Settings& settings) const {
    for (const auto* boxes : {m_flip.get(), m_display.get(), m_confirmations.get()})
        boxes->Out(settings);
    settings.FlipInterval = m_flipInterval->value();
    settings.ArticleListFont = m_articleFont->Family();
    settings.ArticleListFontSize = m_articleFont->Size();
    settings.ProviderListFont = m_providerFont->Family();
    settings.ProviderListFontSize = m_providerFont->Size();
    settings.TranslationServiceURL = m_translation->text().trimmed();
    settings.StoriesKept = static_cast<Integer>(m_storiesKept->value());
    settings.DaysKept = static_cast<Integer>(m_daysKept->value());
}

bool GeneralPage::ConfirmsDelete(qsizetype count) const {
    const auto preference =
        count > 1 ? &Settings::ConfirmMultipleDelete : &Settings::ConfirmSingleDelete;
    return m_confirmations->Box(preference)->isChecked();
}
