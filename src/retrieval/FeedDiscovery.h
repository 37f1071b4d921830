#pragma once

#include "feeds/FeedLinks.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <optional>

class HttpRequest;

// Finds the feed behind an address the user gave, which is often a site's
// page rather than its feed. The address itself is fetched: a feed is the
// answer; a web page gives the feeds it announces, in page order; a page
// that names none (or an error page) has the common places of feeds on its
// host tried, one after another, the first feed found being the answer.
// Everything runs on the event loop: the outcome is one Found or one Failed
// signal, never emitted from inside Start, and Cancel (or destruction)
// stops the work without either.
class FeedDiscovery : public QObject {
    Q_OBJECT

public:
    struct Limits {
        std::chrono::milliseconds Page{15000};
        // Each common place tried.
        std::chrono::milliseconds Probe{5000};
    };

    // Where feeds are kept by convention, tried in this order.
    static const QStringList& CommonPaths();

    explicit FeedDiscovery(Limits limits, QObject* parent = nullptr);
    explicit FeedDiscovery(QObject* parent = nullptr)
        : FeedDiscovery(Limits{}, parent) {}
    ~FeedDiscovery() override;

    // Starts looking for the feed of `address` (http or https), cancelling
    // a search still running.
    void Start(const QString& address);
    void Cancel();
    bool Running() const { return m_stage != Stage::Idle; }

Q_SIGNALS:
    // At least one feed; its title is empty when the page or the feed gave
    // none.
    void Found(const QList<FeedLink>& feeds);
    // Why no feed was found, as a sentence for the user.
    void Failed(const QString& message);

private:
    enum class Stage { Idle, Refusing, Page, Probing };

    void Fetch(const QUrl& url, std::chrono::milliseconds timeout);
    void ReleaseRequest();
    void PageFinished();
    void ProbeFinished();
    void ProbeNext();
    // The title of the feed the request brought; null when it brought none.
    std::optional<QString> FeedTitle() const;
    void Succeed(const QList<FeedLink>& feeds);
    void Fail(const QString& reason = QString());

    Limits m_limits;
    Stage m_stage = Stage::Idle;
    QString m_address;
    // The places still to try, the one being tried first.
    QList<QUrl> m_probes;
    QTimer m_refusal;
    HttpRequest* m_request = nullptr;
};
