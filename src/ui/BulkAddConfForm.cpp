#include "ui/BulkAddConfForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString AskForFile(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QObject::tr("Provider List"), QDir::homePath(),
                                        QObject::tr("XML files (*.xml);;All files (*)"));
}

const QString Paragraph = QStringLiteral("\n\n");

} // namespace

BulkAddConfForm::BulkAddConfForm(HelpOpener help, FilePicker picker, QWidget* parent)
    : QDialog(parent)
    , m_pick(picker ? std::move(picker) : FilePicker(AskForFile))
    , m_message(new QPlainTextEdit(this))
    , m_address(new QLineEdit(this))
    , m_loadDetails(new QCheckBox(tr("Get Details"), this))
    , m_makeActive(new QCheckBox(tr("Make the new providers active"), this)) {
    setObjectName(QStringLiteral("frmBulkAddConf"));
    m_message->setObjectName(QStringLiteral("txtMessage"));
    m_message->setReadOnly(true);
    m_address->setObjectName(QStringLiteral("txtAddress"));
    m_loadDetails->setObjectName(QStringLiteral("chkLoadDetails"));
    m_makeActive->setObjectName(QStringLiteral("chkMakeActive"));
    auto* pickButton = new QPushButton(tr("Choose &File..."), this);
    pickButton->setObjectName(QStringLiteral("btnPickFile"));
    connect(pickButton, &QPushButton::clicked, this, &BulkAddConfForm::PickFile);

    m_buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_buttons, &QDialogButtonBox::helpRequested, this,
            [help = std::move(help)] { help(QStringLiteral("SettingsProvidersBulk")); });
    connect(m_address, &QLineEdit::textChanged, this, &BulkAddConfForm::UpdateOk);

    auto* source = new QHBoxLayout;
    auto* label = new QLabel(tr("&Address or file:"), this);
    label->setBuddy(m_address);
    source->addWidget(label);
    source->addWidget(m_address, 1);
    source->addWidget(pickButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_message, 1);
    layout->addLayout(source);
    layout->addWidget(m_loadDetails);
    layout->addWidget(m_makeActive);
    layout->addWidget(m_buttons);
}

QString BulkAddConfForm::MessageText(const QString& listName, const QString& url,
                                     const QString& category, bool offerDetails, bool offerActive) {
    const QString from = url.isEmpty() ? QStringLiteral("the address below") : url;
    QString text = QStringLiteral("You are about to bulk load the ") + listName +
                   QStringLiteral(" provider list from ") + from + QStringLiteral(".") + Paragraph;
    if (offerActive)
        text += QStringLiteral("You can choose to mark all of the added providers as active.") +
                Paragraph;
    if (!category.isEmpty())
        text += QStringLiteral("The new providers will be placed in the '") + category +
                QStringLiteral("' category.");
    if (offerDetails)
        text += QStringLiteral(
                    " Select 'Get Details' to retrieve full information directly from each "
                    "provider. This is a somewhat time-consuming process. If you choose not to "
                    "retrieve full information now, it will be fetched later on an as-needed "
                    "basis. ") +
                Paragraph;
    return text;
}

void BulkAddConfForm::Prepare(const QString& title, const QString& listName, const QString& url,
                              const QString& category, bool offerDetails, bool offerActive) {
    setWindowTitle(title);
    m_loadDetails->setChecked(true);
    m_makeActive->setChecked(true);
    m_loadDetails->setVisible(offerDetails);
    m_makeActive->setVisible(offerActive);
    m_message->setPlainText(MessageText(listName, url, category, offerDetails, offerActive));
    m_address->setText(url);
    UpdateOk();
}

BulkAddConfForm::Options BulkAddConfForm::Result() const {
    return {result() == Accepted, m_loadDetails->isChecked(), m_makeActive->isChecked(),
            m_address->text().trimmed()};
}

BulkAddConfForm::Options BulkAddConfForm::GetBulkAddOptions(const QString& title,
                                                            const QString& listName,
                                                            const QString& url,
                                                            const QString& category,
                                                            bool offerDetails, bool offerActive) {
    Prepare(title, listName, url, category, offerDetails, offerActive);
    exec();
    return Result();
}

void BulkAddConfForm::PickFile() {
    const QString file = m_pick(this);
    if (!file.isEmpty())
        m_address->setText(file);
}

// No list to read without an address.
void BulkAddConfForm::UpdateOk() {
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!m_address->text().trimmed().isEmpty());
}
