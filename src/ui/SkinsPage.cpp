#include "ui/SkinsPage.h"

#include "config/Settings.h"
#include "config/Skin.h"
#include "config/SkinCollection.h"
#include "platform/KnownFolders.h"
#include "platform/OutsideAddresses.h"
#include "ui/NoticeBox.h"

#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

// What the first entry of the list stands for: no skin at all.
const QString NativeCaption = QStringLiteral("Native Skin");
const QString NativeDescription = QStringLiteral("The desktop's own window frame");
const QString ProgramAuthors = QStringLiteral("The Varnocet developers");
// The role of an entry that holds a skin's folder name.
constexpr int DirNameRole = Qt::UserRole;
constexpr int PictureWidth = 200;
constexpr int PictureHeight = 140;

QLabel* DetailLabel(const QString& objectName, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    return label;
}

QString Link(const QString& target, const QString& text) {
    return QStringLiteral("<a href=\"%1\">%2</a>")
        .arg(target.toHtmlEscaped(), text.toHtmlEscaped());
}

} // namespace

SkinsPage::SkinsPage(SkinCollection& skins, DirectorySource directory, HelpOpener help,
                     DesktopActions desktop, QWidget* parent)
    : QWidget(parent)
    , m_skins(skins)
    , m_directory(std::move(directory))
    , m_desktop(std::move(desktop))
    , m_list(new QListWidget(this))
    , m_description(DetailLabel(QStringLiteral("lblSkinDescription"), this))
    , m_authorName(DetailLabel(QStringLiteral("lblSkinAuthorName"), this))
    , m_authorEmail(DetailLabel(QStringLiteral("lblSkinAuthorEmail"), this))
    , m_authorSite(DetailLabel(QStringLiteral("lblSkinAuthorSite"), this))
    , m_picture(new QLabel(this)) {
    m_list->setObjectName(QStringLiteral("lstSkins"));
    m_picture->setObjectName(QStringLiteral("imgSkinThumb"));
    m_picture->setFixedSize(PictureWidth, PictureHeight);
    m_picture->setAlignment(Qt::AlignCenter);
    for (QLabel* link : {m_authorEmail, m_authorSite})
        connect(link, &QLabel::linkActivated, this, &SkinsPage::OpenLink);
    connect(m_list, &QListWidget::currentRowChanged, this, &SkinsPage::ShowDetails);
    auto* columns = new QHBoxLayout;
    columns->addWidget(m_list, 1);
    columns->addWidget(MakeDetails(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(MakeLinks(help));
}

QWidget* SkinsPage::MakeDetails() {
    auto* details = new QWidget(this);
    auto* form = new QFormLayout;
    form->addRow(tr("Description:"), m_description);
    form->addRow(tr("Author:"), m_authorName);
    form->addRow(tr("E-mail:"), m_authorEmail);
    form->addRow(tr("Web site:"), m_authorSite);
    auto* column = new QVBoxLayout(details);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_picture, 0, Qt::AlignHCenter);
    column->addLayout(form);
    column->addStretch();
    return details;
}

// The guide ships with the program; a page of skins exists only when the
// build or the environment names one.
QWidget* SkinsPage::MakeLinks(const HelpOpener& help) {
    auto* links = new QWidget(this);
    auto* row = new QHBoxLayout(links);
    row->setContentsMargins(0, 0, 0, 0);
    auto* guide = new QLabel(Link(QStringLiteral("SkinGuide"), tr("How to make a skin")), links);
    guide->setObjectName(QStringLiteral("lnkSkinGuide"));
    connect(guide, &QLabel::linkActivated, this, [help](const QString& topic) { help(topic); });
    row->addWidget(guide);
    const QString skinsPage = OutsideAddresses::SkinsPage();
    if (!skinsPage.isEmpty()) {
        auto* more = new QLabel(Link(skinsPage, tr("Get more skins")), links);
        more->setObjectName(QStringLiteral("lnkSkinsPage"));
        connect(more, &QLabel::linkActivated, this, &SkinsPage::OpenLink);
        row->addWidget(more);
    }
    row->addStretch();
    return links;
}

void SkinsPage::In(const Settings& settings) {
    m_selected = settings.CurrentSkin;
}

void SkinsPage::Out(Settings& settings) const {
    settings.CurrentSkin = m_selected;
}

void SkinsPage::Refill() {
    m_scanned = m_directory();
    const QStringList messages = m_skins.SyncToDir(m_scanned, false, true);
    const QString selected = m_selected;
    m_list->blockSignals(true);
    m_list->clear();
    m_list->addItem(NativeCaption);
    for (const auto& skin : m_skins) {
        auto* item = new QListWidgetItem(skin->DisplayName, m_list);
        item->setData(DirNameRole, skin->DirName);
        if (skin->DirName == selected)
            m_list->setCurrentItem(item);
    }
    if (selected.isEmpty())
        m_list->setCurrentRow(0);
    m_list->blockSignals(false);
    ShowDetails();
    if (!messages.isEmpty())
        NoticeBox::Open(this, QMessageBox::Warning, messages.join(QStringLiteral("\n\n")));
}

std::shared_ptr<Skin> SkinsPage::SelectedSkin() const {
    const QListWidgetItem* item = m_list->currentItem();
    if (item == nullptr || m_list->row(item) == 0)
        return nullptr;
    return m_skins.FindSkinByDirName(item->data(DirNameRole).toString());
}

// A chosen skin that the directory no longer holds keeps its name, with
// nothing shown for it, until the user picks another entry.
void SkinsPage::ShowDetails() {
    const QListWidgetItem* item = m_list->currentItem();
    if (item != nullptr)
        m_selected = m_list->row(item) == 0 ? QString() : item->data(DirNameRole).toString();
    if (m_selected.isEmpty()) {
        ShowNativeFrame();
        return;
    }
    const std::shared_ptr<Skin> skin = SelectedSkin();
    if (skin != nullptr) {
        ShowSkin(*skin);
        return;
    }
    m_description->clear();
    ShowAuthor({}, {}, {});
    ShowPicture({});
}

void SkinsPage::ShowSkin(const Skin& skin) {
    m_description->setText(skin.Description);
    ShowAuthor(skin.AuthorName, skin.AuthorEmail, skin.AuthorSiteURL);
    ShowPicture(skin.FilePath(m_scanned, QString::fromLatin1(Skin::ThumbFile)));
}

void SkinsPage::ShowNativeFrame() {
    m_description->setText(NativeDescription);
    ShowAuthor(ProgramAuthors, {}, {});
    ShowPicture(QDir(KnownFolders::DataFolder()).filePath(QStringLiteral("noskin.gif")));
}

void SkinsPage::ShowAuthor(const QString& name, const QString& email, const QString& site) {
    m_authorName->setText(name.toHtmlEscaped());
    m_authorEmail->setText(email.isEmpty() ? QString() : Link(email, email));
    m_authorSite->setText(site.isEmpty() ? QString() : Link(site, site));
}

void SkinsPage::ShowPicture(const QString& file) {
    QPixmap picture(file);
    if (picture.width() > m_picture->width() || picture.height() > m_picture->height())
        picture = picture.scaled(m_picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_picture->setPixmap(picture);
}

// The author's links come from a skin's file: only a mail address or a web
// page is opened.
void SkinsPage::OpenLink(const QString& link) const {
    if (!m_desktop.OpenWebPage(link))
        m_desktop.WriteTo(link);
}
