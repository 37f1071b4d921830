#pragma once

#include "support/TestData.h"

#include <QByteArray>
#include <QDir>
#include <QString>

// Skin folders made by a test in its own skin directory.
namespace SkinFolders {

// The folder `dirName` of `directory` with `description` as its skin.xml.
inline void Write(const QString& directory, const QString& dirName, const QByteArray& description) {
    TestData::Write(QDir(directory).filePath(dirName + QStringLiteral("/skin.xml")), description);
}

// A description with only a name.
inline QByteArray Named(const QByteArray& name) {
    return "<NeoCaptionSkin><name>" + name + "</name></NeoCaptionSkin>";
}

} // namespace SkinFolders
