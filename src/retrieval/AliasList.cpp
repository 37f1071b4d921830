#include "retrieval/AliasList.h"

#include "model/AliasSetCollection.h"
#include "platform/XmlDocument.h"
#include "retrieval/FileDownload.h"

#include <optional>

namespace AliasList {

bool Load(AliasSetCollection& sets, const QString& source, std::chrono::milliseconds limit) {
    if (!source.startsWith(QLatin1String("http:")) && !source.startsWith(QLatin1String("https:")))
        return sets.FromXML(source);
    const std::optional<QByteArray> bytes = FileDownload::FetchBytes(source, limit);
    XmlDocument document;
    if (!bytes || !document.LoadXML(*bytes))
        return false;
    return sets.LoadDocument(document);
}

} // namespace AliasList
