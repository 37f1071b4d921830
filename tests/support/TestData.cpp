#include "support/TestData.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

namespace TestData {

QString Path(const QString& relativePath) {
    return QDir(QStringLiteral(VARNOCET_TEST_DATA_DIR)).filePath(relativePath);
}

QByteArray Read(const QString& relativePath) {
    QFile file(Path(relativePath));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing fixture " + relativePath.toStdString());
    return file.readAll();
}

} // namespace TestData
