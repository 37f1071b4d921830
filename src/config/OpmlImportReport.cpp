#include "config/OpmlImportReport.h"

namespace {

QString Section(const QString& heading, const QList<OpmlImportReport::Entry>& entries) {
    if (entries.isEmpty())
        return {};
    QString text = QStringLiteral("\n%1:\n").arg(heading);
    for (const OpmlImportReport::Entry& entry : entries) {
        const QString address = QStringLiteral("<%1>").arg(entry.Address);
        text += QStringLiteral("  %1\n").arg(entry.Name.isEmpty() ? address
                                                                  : entry.Name + u' ' + address);
    }
    return text;
}

} // namespace

QString OpmlImportReport::Text() const {
    if (Failed())
        return Error + u'\n';
    return QStringLiteral("%1 added, %2 already present, %3 refused.\n")
               .arg(Added.size())
               .arg(AlreadyPresent.size())
               .arg(Refused.size()) +
           Section(QStringLiteral("Added"), Added) +
           Section(QStringLiteral("Already present"), AlreadyPresent) +
           Section(QStringLiteral("Refused (not an http or https address)"), Refused);
}
