#pragma once

#include "feeds/FeedLinks.h"

#include <QDialog>

class CategoryCollection;
class CategoryPathTree;
class FeedDiscovery;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// Asks for the address of a feed to subscribe to and the category it goes
// into. OK takes only a web address and a category; otherwise the dialog
// says what is missing and stays open. The address may be a site's page:
// OK then looks for the feed behind it while the dialog stays usable, and
// the feed found is shown to be confirmed (or, when the page names several,
// chosen) with a second OK. An address that leads to no feed is refused.
class AddFeedDialog : public QDialog {
    Q_OBJECT

public:
    // `category` is chosen at first when the tree has it.
    AddFeedDialog(const CategoryCollection& categories, const QString& category,
                  QWidget* parent = nullptr);

    // The address of the feed: the one found for what was typed, else the
    // address as typed, without surrounding white space.
    QString Address() const;
    // The chosen category's full path; empty for none.
    QString Category() const;

    // Why the address or category cannot be taken; empty when they can.
    static QString Refusal(const QString& address, const QString& category);

    void reject() override;

private:
    QString TypedAddress() const;
    void OnOk();
    void Look();
    void ShowSearching(bool searching);
    void OnFound(const QList<FeedLink>& feeds);
    void OnFailed(const QString& message);
    void Forget();

    QLineEdit* m_address;
    CategoryPathTree* m_categories;
    QListWidget* m_feeds;
    QLabel* m_status;
    QLabel* m_message;
    QPushButton* m_ok;
    FeedDiscovery* m_discovery;
    // The feed taken for the typed address, and the typed address the list
    // of feeds was found for.
    QString m_feed;
    QString m_searched;
};
