#include "ui/AddFeedDialog.h"

#include "core/ProviderSubscription.h"
#include "platform/LinkPolicy.h"
#include "ui/CategoryPathTree.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

AddFeedDialog::AddFeedDialog(const CategoryCollection& categories, const QString& category,
                             QWidget* parent)
    : QDialog(parent)
    , m_address(new QLineEdit(this))
    , m_categories(new CategoryPathTree(categories, false, this))
    , m_message(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Add Feed"));
    m_address->setObjectName(QStringLiteral("txtAddress"));
    m_address->setPlaceholderText(QStringLiteral("https://"));
    m_categories->SelectPath(category);
    m_message->setObjectName(QStringLiteral("labMessage"));
    m_message->setWordWrap(true);
    m_message->setStyleSheet(QStringLiteral("color: #b00000"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &AddFeedDialog::OnOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* addressLabel = new QLabel(QStringLiteral("&Address of the feed:"), this);
    addressLabel->setBuddy(m_address);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(addressLabel);
    layout->addWidget(m_address);
    layout->addWidget(new QLabel(QStringLiteral("Category:"), this));
    layout->addWidget(m_categories);
    layout->addWidget(m_message);
    layout->addWidget(buttons);
}

QString AddFeedDialog::Address() const {
    return m_address->text().trimmed();
}

QString AddFeedDialog::Category() const {
    return CategoryPathTree::PathOf(m_categories->currentItem());
}

QString AddFeedDialog::Refusal(const QString& address, const QString& category) {
    if (address.isEmpty())
        return QStringLiteral("Type the address of the feed.");
    // Checked as the subscription will take it.
    if (!LinkPolicy::WebAddress(ProviderSubscription::FeedAddress(address), QUrl::StrictMode))
        return QStringLiteral("'%1' is not a web address. A feed's address begins with "
                              "http:// or https:// followed by the name of its server.")
            .arg(address);
    if (category.isEmpty())
        return QStringLiteral("Choose the category the feed goes into.");
    return {};
}

void AddFeedDialog::OnOk() {
    const QString refusal = Refusal(Address(), Category());
    m_message->setText(refusal);
    if (refusal.isEmpty())
        accept();
    else
        m_address->setFocus();
}
