#pragma once

#include "model/ProviderCollection.h"
#include "platform/MessageBoxPresenter.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <memory>
#include <vector>

class AliasList;
class FeedFetcher;
class HttpRequest;
class Provider;

// Loading providers in bulk from a provider directory's service list (an
// XML document whose "services" elements hold one "url" element per feed)
// into the settings dialog's working copy. Feeds the user already has,
// under the same address or another address of the same feed (the alias
// sets), are recognised instead of added again.
//
// Nothing blocks: the list is fetched within a time limit, then the new
// providers' details are fetched within another, after which the new
// providers join the working copy in one step. Until then the working copy
// is untouched, so Cancel at any point leaves it as it was.
class DirectoryImport : public QObject {
    Q_OBJECT

public:
    // The directory as the confirmation window names it, as the report
    // names it, and the category of the providers it adds.
    static const QString ListName;
    static const QString ReportListName;
    static const QString Category;
    static constexpr Long Origin = 2;

    struct Limits {
        std::chrono::milliseconds ListTimeout{std::chrono::seconds(30)};
        std::chrono::milliseconds DetailsWait{std::chrono::seconds(45)};
        // How often the wait for details counts down.
        std::chrono::milliseconds Tick{std::chrono::seconds(1)};
    };

    struct Options {
        // An http(s) or file: address, or a local file's path.
        QString Source;
        bool GetDetails = true;
        bool MakeActive = true;
    };

    struct Result {
        // False when the list could not be fetched or read: nothing changed.
        bool Available = false;
        int Added = 0;
        int AlreadyKnown = 0;
        int KnownViaOtherURL = 0;
        int Gone = 0;
        // The names the added providers joined the working copy with.
        QStringList AddedNames;
        // Listed addresses that are no web addresses, and were not added.
        QStringList Skipped;
    };

    DirectoryImport(ProviderCollection& providers, AliasList& aliases, FeedFetcher& fetcher,
                    Limits limits, QObject* parent = nullptr);
    ~DirectoryImport() override;

    void Start(const Options& options);
    // Calls everything off; the working copy stays as it was before Start.
    void Cancel();
    bool IsRunning() const { return m_stage != Stage::Idle; }
    // A provider's details came in (or failed): the wait may be over.
    void DetailsArrived();

    // After Finished: removes the providers of this directory's origin that
    // it no longer lists, from the last to the first; returns how many.
    qsizetype RemoveGone();

    // The outcome in message boxes; the answer to "Delete?", or No when
    // that was not asked.
    static MessageBoxPresenter::Answer ShowBulkAddReport(const QString& listName, int added,
                                                         int alreadyKnown, int gone,
                                                         int knownViaOtherURL);
    // The addresses that were passed over, as one message; empty when none.
    static QString SkippedText(const QStringList& skipped);
    static QString NotAvailableText();

signals:
    // maximum 0: busy without a measure.
    void Progress(int value, int maximum);
    // Not after Cancel.
    void Finished(const DirectoryImport::Result& result);

private:
    enum class Stage { Idle, Fetching, Details };

    void ListFetched();
    void AliasesReady();
    void ReadListWhenReady();
    bool Merge(const QByteArray& body);
    void Take(const QString& url);
    std::shared_ptr<Provider> Listed(const QString& url) const;
    std::shared_ptr<Provider> KnownByAlias(const QString& url) const;
    std::shared_ptr<Provider> NewProvider(const QString& url);
    void WaitForDetails();
    void StartDetailRequests();
    bool DetailsOutstanding() const;
    void CheckDetails();
    void Tick();
    void Complete();
    void Fail();
    void Stop();

    ProviderCollection& m_providers;
    AliasList& m_aliases;
    FeedFetcher& m_fetcher;
    Limits m_limits;
    Options m_options;
    Stage m_stage = Stage::Idle;
    HttpRequest* m_request = nullptr;
    QByteArray m_body;
    bool m_listDone = false;
    // The providers found so far, before they join the working copy.
    std::unique_ptr<ProviderCollection> m_added;
    qsizetype m_nextDetails = 1;
    // Held, not pointed at: the user may delete a provider meanwhile.
    std::vector<std::shared_ptr<Provider>> m_renewed;
    Result m_result;
    QTimer m_tick;
    int m_ticks = 0;
    int m_ticksLeft = 0;
};
