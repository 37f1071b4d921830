#pragma once

#include <QByteArray>
#include <QString>

// Fixtures under tests/data.
namespace TestData {

QString Path(const QString& relativePath);
QByteArray Read(const QString& relativePath);

} // namespace TestData
