#pragma once

#include <QByteArray>
#include <QString>

class ProviderCollection;

// What varnocet-providers prints about a loaded providers file: every stored
// value as the program reads it, as readable text or as JSON. The JSON also
// names the fields each provider element held ("Present") and whether any
// value could not be read ("lostValues").
namespace ProvidersReport {

QString AsText(const ProviderCollection& providers);
QByteArray AsJson(const ProviderCollection& providers);

} // namespace ProvidersReport
