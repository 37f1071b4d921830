#pragma once

#include <QByteArray>
#include <QString>

class ProviderCollection;

// What varnocet-providers prints about a loaded providers file: every stored
// value as the program reads it, as readable text or as JSON.
namespace ProvidersReport {

QString AsText(const ProviderCollection& providers);
QByteArray AsJson(const ProviderCollection& providers);

} // namespace ProvidersReport
