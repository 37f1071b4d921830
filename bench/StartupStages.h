#pragma once

#include "model/ProviderCollection.h"

#include <QString>

#include <memory>

// The stages of start-up before the window is filled, shared by the
// start-up benchmarks: the providers file loaded, then sorted, at the size
// of the bundled list (Bundled) or of a heavy user's (Heavy, in 500
// categories, written once per run into a temporary folder).
namespace StartupStages {

constexpr int Bundled = 46;
constexpr int Heavy = 10000;

QString ProvidersFile(int providers);
std::unique_ptr<ProviderCollection> Load(int providers);
std::unique_ptr<ProviderCollection> Load(const QString& providersFile);
void Sort(ProviderCollection& providers);

} // namespace StartupStages
