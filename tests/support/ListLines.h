#pragma once

#include <QListWidget>
#include <QStringList>

// The lines of a list as the user reads them, top to bottom.
inline QStringList ListLines(const QListWidget& list) {
    QStringList lines;
    for (int row = 0; row < list.count(); ++row)
        lines.append(list.item(row)->text());
    return lines;
}
