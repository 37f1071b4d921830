#pragma once

#include <QByteArray>
#include <QString>

class ProviderCollection;

// What varnocet-providers prints about a loaded providers file: every stored
// value as the program reads it, as readable text or as JSON. The JSON also
// names the fields each provider element held ("Present") and whether any
// value could not be read ("lostValues"). Given a second list, it names
// for each provider that list holds under the same ID the fields whose
// values differ ("Differs"), as a master list update tells them apart.
namespace ProvidersReport {

QString AsText(const ProviderCollection& providers);
QByteArray AsJson(const ProviderCollection& providers,
                  const ProviderCollection* compared = nullptr);

} // namespace ProvidersReport
