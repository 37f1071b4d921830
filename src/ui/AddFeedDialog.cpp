#include "ui/AddFeedDialog.h"

#include "core/ProviderSubscription.h"
#include "platform/LinkPolicy.h"
#include "retrieval/FeedDiscovery.h"
#include "ui/CategoryPathTree.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

AddFeedDialog::AddFeedDialog(const CategoryCollection& categories, const QString& category,
                             QWidget* parent)
    : QDialog(parent)
    , m_address(new QLineEdit(this))
    , m_categories(new CategoryPathTree(categories, false, this))
    , m_feeds(new QListWidget(this))
    , m_status(new QLabel(this))
    , m_message(new QLabel(this))
    , m_discovery(new FeedDiscovery(this)) {
    setWindowTitle(QStringLiteral("Add Feed"));
    // Wide enough for a feed's address and title in the list of found feeds.
    setMinimumWidth(480);
    m_address->setObjectName(QStringLiteral("txtAddress"));
    m_address->setPlaceholderText(QStringLiteral("https://"));
    m_categories->SelectPath(category);
    m_feeds->setObjectName(QStringLiteral("lstFeeds"));
    m_feeds->hide();
    m_status->setObjectName(QStringLiteral("labFound"));
    m_status->setWordWrap(true);
    m_message->setObjectName(QStringLiteral("labMessage"));
    m_message->setWordWrap(true);
    m_message->setStyleSheet(QStringLiteral("color: #b00000"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &AddFeedDialog::OnOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &AddFeedDialog::reject);
    connect(m_feeds, &QListWidget::itemDoubleClicked, this, &AddFeedDialog::OnOk);
    // What was found belongs to the address it was found for.
    connect(m_address, &QLineEdit::textChanged, this, &AddFeedDialog::Forget);
    connect(m_discovery, &FeedDiscovery::Found, this, &AddFeedDialog::OnFound);
    connect(m_discovery, &FeedDiscovery::Failed, this, &AddFeedDialog::OnFailed);
    auto* addressLabel = new QLabel(QStringLiteral("&Address of the feed or its site:"), this);
    addressLabel->setBuddy(m_address);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(addressLabel);
    layout->addWidget(m_address);
    layout->addWidget(new QLabel(QStringLiteral("Category:"), this));
    layout->addWidget(m_categories);
    layout->addWidget(m_status);
    layout->addWidget(m_feeds);
    layout->addWidget(m_message);
    layout->addWidget(buttons);
}

QString AddFeedDialog::Address() const {
    return m_feed.isEmpty() ? TypedAddress() : m_feed;
}

QString AddFeedDialog::TypedAddress() const {
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

void AddFeedDialog::reject() {
    m_discovery->Cancel();
    QDialog::reject();
}

void AddFeedDialog::OnOk() {
    if (m_discovery->Running())
        return;
    const QString refusal = Refusal(TypedAddress(), Category());
    m_message->setText(refusal);
    if (!refusal.isEmpty()) {
        m_address->setFocus();
        return;
    }
    if (m_searched != TypedAddress()) {
        Look();
        return;
    }
    const QListWidgetItem* chosen = m_feeds->currentItem();
    if (chosen == nullptr) {
        m_message->setText(QStringLiteral("Choose one of the feeds."));
        return;
    }
    m_feed = chosen->data(Qt::UserRole).toString();
    accept();
}

void AddFeedDialog::Look() {
    m_status->setText(QStringLiteral("Looking for the feed..."));
    ShowSearching(true);
    m_discovery->Start(ProviderSubscription::FeedAddress(TypedAddress()));
}

void AddFeedDialog::ShowSearching(bool searching) {
    m_ok->setEnabled(!searching);
    m_address->setReadOnly(searching);
}

void AddFeedDialog::OnFound(const QList<FeedLink>& feeds) {
    ShowSearching(false);
    const QString looked = ProviderSubscription::FeedAddress(TypedAddress());
    // What was typed is the feed: nothing to confirm.
    if (feeds.size() == 1 && feeds.constFirst().Address == looked) {
        m_feed = looked;
        m_status->setText(QStringLiteral("Found: %1").arg(FeedLinks::Describe(feeds.constFirst())));
        accept();
        return;
    }
    m_searched = TypedAddress();
    for (const FeedLink& feed : feeds) {
        auto* item = new QListWidgetItem(FeedLinks::Describe(feed), m_feeds);
        item->setData(Qt::UserRole, feed.Address);
        item->setToolTip(feed.Address);
    }
    m_feeds->setCurrentRow(0);
    m_feeds->setVisible(feeds.size() > 1);
    m_status->setText(feeds.size() == 1
                          ? QStringLiteral("Found: %1. Press OK to subscribe to it.")
                                .arg(FeedLinks::Describe(feeds.constFirst()))
                          : QStringLiteral("The page names %1 feeds. Choose one and press OK.")
                                .arg(feeds.size()));
    m_ok->setFocus();
}

void AddFeedDialog::OnFailed(const QString& message) {
    ShowSearching(false);
    m_status->clear();
    m_message->setText(message);
    m_address->setFocus();
}

void AddFeedDialog::Forget() {
    m_discovery->Cancel();
    ShowSearching(false);
    m_feed.clear();
    m_searched.clear();
    m_feeds->clear();
    m_feeds->hide();
    m_status->clear();
}
