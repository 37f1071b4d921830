#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class Provider;

// What varnocet-read prints about a provider after a feed was read: the
// stories as a user would see them, as a table or as JSON (which also holds
// the notices the reading raised).
namespace FeedReport {

QString AsTable(const Provider& provider);
QByteArray AsJson(const Provider& provider, const QStringList& notices);

} // namespace FeedReport
