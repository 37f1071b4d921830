#include "ui/LocationsPage.h"

#include "config/Settings.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* Button(const QString& objectName, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    return button;
}

QString PickWithDialog(QWidget* parent, const QString& caption, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, caption, start);
}

} // namespace

LocationsPage::LocationsPage(QWidget* parent)
    : QWidget(parent)
    , m_pickFolder(PickWithDialog)
    , m_tempDirectory(new QLineEdit(this))
    , m_skinDirectory(new QLineEdit(this)) {
    m_tempDirectory->setObjectName(QStringLiteral("txtTempDirectory"));
    m_skinDirectory->setObjectName(QStringLiteral("txtSkinDirectory"));
    QPushButton* browseTemp =
        Button(QStringLiteral("btnBrowseTempDir"), QStringLiteral("Browse..."), this);
    QPushButton* browseSkin =
        Button(QStringLiteral("btnBrowseSkinDir"), QStringLiteral("Browse..."), this);
    connect(browseTemp, &QPushButton::clicked, this,
            [this] { Browse(m_tempDirectory, QStringLiteral("Select temporary directory")); });
    connect(browseSkin, &QPushButton::clicked, this,
            [this] { Browse(m_skinDirectory, QStringLiteral("Select skin directory")); });
    auto* folders = new QGridLayout;
    folders->addWidget(new QLabel(QStringLiteral("Temporary directory:"), this), 0, 0);
    folders->addWidget(m_tempDirectory, 0, 1);
    folders->addWidget(browseTemp, 0, 2);
    folders->addWidget(new QLabel(QStringLiteral("Skin directory:"), this), 1, 0);
    folders->addWidget(m_skinDirectory, 1, 1);
    folders->addWidget(browseSkin, 1, 2);

    auto* shortcuts = new QGroupBox(QStringLiteral("Shortcuts"), this);
    auto* shortcutButtons = new QVBoxLayout(shortcuts);
    const struct {
        const char* objectName;
        const char* caption;
        DesktopShortcut::Place place;
    } buttons[] = {
        {"btnAddDesktop", "Add to Desktop", DesktopShortcut::Place::Desktop},
        {"btnAddQuickLaunch", "Add to Applications Menu", DesktopShortcut::Place::ApplicationsMenu},
        {"btnAddStartup", "Start with the Desktop Session", DesktopShortcut::Place::Autostart},
    };
    for (const auto& entry : buttons) {
        QPushButton* button = Button(QString::fromLatin1(entry.objectName),
                                     QString::fromLatin1(entry.caption), shortcuts);
        const DesktopShortcut::Place place = entry.place;
        connect(button, &QPushButton::clicked, this, [this, place] { AddShortcut(place); });
        shortcutButtons->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(folders);
    layout->addWidget(shortcuts);
    layout->addStretch();
}

void LocationsPage::In(const Settings& settings) {
    m_tempDirectory->setText(settings.TempDirectory);
    m_skinDirectory->setText(settings.SkinDirectory);
}

void LocationsPage::Out(Settings& settings) const {
    settings.TempDirectory = m_tempDirectory->text();
    settings.SkinDirectory = SkinDirectory();
}

QString LocationsPage::SkinDirectory() const {
    return m_skinDirectory->text();
}

void LocationsPage::SetFolderPicker(FolderPicker picker) {
    m_pickFolder = std::move(picker);
}

void LocationsPage::Browse(QLineEdit* box, const QString& caption) {
    const QString folder = m_pickFolder(this, caption, box->text());
    if (!folder.isEmpty())
        box->setText(QDir::toNativeSeparators(folder));
}

void LocationsPage::AddShortcut(DesktopShortcut::Place place) {
    const QString error = DesktopShortcut::Create(place);
    if (!error.isEmpty())
        MessageBox::Show(error);
}
