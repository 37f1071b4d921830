#include "StartupStages.h"

#include "LargeProviderList.h"
#include "config/ProviderListStartup.h"
#include "config/Settings.h"
#include "model/ProgressReporter.h"

#include <QDir>
#include <QTemporaryDir>

#include <map>

namespace {

constexpr int HeavyCategories = 500;

class NoProgress : public ProgressReporter {
public:
    void SetStatus(const QString&) override {}
    void OpenProgress(int) override {}
    void UpdateProgress(int) override {}
    void CloseProgress() override {}
};

} // namespace

namespace StartupStages {

QString ProvidersFile(int providers) {
    if (providers == Bundled)
        return QStringLiteral(VARNOCET_BUNDLED_PROVIDERS);
    static QTemporaryDir folder;
    static std::map<int, QString> written;
    QString& path = written[providers];
    if (path.isEmpty()) {
        path = QDir(folder.path()).filePath(QStringLiteral("qtk_providers_%1.xml").arg(providers));
        LargeProviderList::Generate(providers, HeavyCategories)
            ->SaveFile(path, nullptr, false, true, true);
    }
    return path;
}

std::unique_ptr<ProviderCollection> Load(int providers) {
    return Load(ProvidersFile(providers));
}

std::unique_ptr<ProviderCollection> Load(const QString& providersFile) {
    auto collection = std::make_unique<ProviderCollection>();
    if (!collection->LoadFile(providersFile, nullptr, false))
        qFatal("cannot load the providers file");
    return collection;
}

void Sort(ProviderCollection& providers) {
    Settings settings;
    NoProgress progress;
    ProviderListStartup(providers, settings, MasterProviderSet::Locations(), progress)
        .SortProviderList();
}

} // namespace StartupStages
