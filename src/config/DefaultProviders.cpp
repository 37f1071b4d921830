#include "config/DefaultProviders.h"

#include "config/UpdateReport.h"
#include "model/PresentField.h"
#include "model/ProviderCollection.h"
#include "model/ProviderField.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/ProgramError.h"
#include "platform/TimeZoneInfo.h"

#include <QDir>

namespace {

const QString ListName = QStringLiteral("Standard");
constexpr Long BuiltInOrigin = 0;

// The report, or silence when there is none.
class ReportLines {
public:
    explicit ReportLines(UpdateReport* report)
        : m_report(report) {}

    void Line(const QString& text, UpdateReport::Colour colour) const {
        if (m_report)
            m_report->AppendReportLine(text + QLatin1Char('\n'), colour, false);
    }

    // A blank line closes a group of `count` lines; true when there was one.
    bool CloseGroup(int count) const {
        if (count == 0)
            return false;
        Line(QString(), UpdateReport::Black);
        return true;
    }

private:
    UpdateReport* m_report;
};

std::shared_ptr<Provider> NewFromMaster(const Provider& master) {
    auto provider = std::make_shared<Provider>();
    ProviderField::CopyPublished(master, *provider);
    return provider;
}

// Marks the user's copies of master providers as renewed and adds the
// master providers the user lacks.
int AddMissing(ProviderCollection& providers, const MasterProviderSet& master,
               const ReportLines& report) {
    int added = 0;
    for (qsizetype i = 1; i <= master.GetProviderCount(); ++i) {
        const std::shared_ptr<Provider> published = master.GetProvider(i);
        const qsizetype position = providers.LocateProviderByUniqueID(published->UniqueID);
        if (position > 0) {
            providers.Item(position)->Renewed = true;
            continue;
        }
        const std::shared_ptr<Provider> provider = providers.Add(NewFromMaster(*published));
        provider->Renewed = true;
        provider->BrandNew = true;
        ++added;
        report.Line(QStringLiteral("Added provider %1 in category %2")
                        .arg(provider->ProviderName, provider->Category),
                    UpdateReport::Blue);
    }
    return added;
}

int ApplyChanges(ProviderCollection& providers, const MasterProviderSet& master,
                 const ReportLines& report) {
    int modified = 0;
    for (qsizetype i = 1; i <= master.GetDeltaProviderCount(); ++i) {
        Provider& change = *master.GetDeltaProvider(i);
        const qsizetype position = providers.LocateProviderByUniqueID(change.UniqueID);
        if (position < 0)
            continue;
        Provider& provider = *providers.Item(position);
        // A category the user chose survives. Left out before the
        // comparison, so that a change of nothing else is no change at all
        // (and is not reported again at every update).
        if (provider.UserCategory)
            change.PresentFlags &= ~PresentField::Category;
        if ((provider.Diff(change) & change.PresentFlags) == 0)
            continue;
        provider.ApplyAsPresent(change);
        if (!provider.Category.isEmpty())
            providers.Categories().EnsureCategory(provider.Category, true, false);
        ++modified;
        report.Line(QStringLiteral("Changed properties on provider %1").arg(provider.ProviderName),
                    UpdateReport::Magenta);
    }
    return modified;
}

// Built-in providers the master list no longer holds. Removed by position:
// IDs need not be unique (0 means none), and the first provider with the
// same ID may well be one the user entered.
int RemoveWithdrawn(ProviderCollection& providers, const ReportLines& report) {
    int removed = 0;
    for (qsizetype i = providers.Count(); i >= 1; --i) {
        const std::shared_ptr<Provider> provider = providers.Item(i);
        if (provider->Origin != BuiltInOrigin || provider->Renewed)
            continue;
        provider->CancelPendingRequest();
        providers.Remove(i);
        ++removed;
        report.Line(QStringLiteral("Removed provider %1").arg(provider->ProviderName),
                    UpdateReport::Red);
    }
    return removed;
}

bool Merge(ProviderCollection& providers, const MasterProviderSet& master,
           const ReportLines& report) {
    providers.ClearFlags();
    bool changed = report.CloseGroup(AddMissing(providers, master, report));
    changed = report.CloseGroup(ApplyChanges(providers, master, report)) || changed;
    changed = report.CloseGroup(RemoveWithdrawn(providers, report)) || changed;
    providers.RemoveEmptyCategories();
    report.Line(QStringLiteral("Update complete!"), UpdateReport::Black);
    return changed;
}

// Without a server the first load already reads the local folder, so there
// is nothing to fall back on.
bool LoadMaster(MasterProviderSet& master, ProgressReporter* progress, bool retryLocal) {
    master.SetProviderRoot(ListName);
    return master.Load(true, progress, false) || (retryLocal && master.Load(true, progress, true));
}

QString FailureText(const MasterProviderSet::Locations& locations) {
    if (!locations.HasServer())
        return QStringLiteral("The Master Provider List that comes with the program \r\n"
                              "cannot be loaded from %1. \r\n"
                              "\r\n"
                              "The installation may be incomplete.")
            .arg(QDir::toNativeSeparators(QDir(locations.BundledFolder).filePath(ListName)));
    return QStringLiteral("The Master Provider List cannot be \r\n"
                          "loaded from %1. \r\n"
                          "\r\n"
                          "Please try again later.")
        .arg(MasterProviderSet::ServerHost(locations));
}

void ReportFailure(bool failMessage, const ReportLines& report,
                   const MasterProviderSet::Locations& locations) {
    if (failMessage)
        MessageBox::Show(FailureText(locations));
    report.Line(QStringLiteral("Update could not be done!"), UpdateReport::Black);
}

} // namespace

namespace DefaultProviders {

bool AddDefaultProviders(ProviderCollection& providers, UpdateReport* report, bool failMessage,
                         Date& lastLoad, ProgressReporter* progress, bool doLocal,
                         const MasterProviderSet::Locations& locations) {
    const ReportLines lines(report);
    try {
        MasterProviderSet master(locations);
        if (!LoadMaster(master, progress, doLocal && locations.HasServer())) {
            ReportFailure(failMessage, lines, locations);
            return false;
        }
        const bool changed = Merge(providers, master, lines);
        lastLoad = Date::FromQDateTime(TimeZoneInfo::ToLocal(Clock::NowUtc()));
        return changed;
    } catch (const ProgramError&) {
        // A list grown too long for the collection; whatever was merged so
        // far stays, so the caller must treat the list as changed.
        MessageBox::ShowOperationError(QStringLiteral("AddDefaultProviders"));
        return true;
    }
}

} // namespace DefaultProviders
