#pragma once

#include "model/Provider.h"
#include "model/StoryCollection.h"

#include <QString>

// Two loads of one provider that share no title, kept in turn by a writer
// that a test kills: whatever the kill leaves, the last load stored is one
// of them whole. The descriptions are long enough that a load spans many
// pages of the store, so most kills land inside a write.
namespace AlternatingLoads {

constexpr int Stories = 200;

inline void Describe(Provider& provider) {
    provider.UniqueID = 7;
    provider.DataURL = QStringLiteral("http://crash.example/rss");
}

// Load 0 or load 1.
inline StoryCollection Load(int which) {
    const QString name = which == 0 ? QStringLiteral("A") : QStringLiteral("B");
    const QString description = QStringLiteral("%1 ").arg(name).repeated(300);
    StoryCollection stories;
    for (int index = 1; index <= Stories; ++index)
        stories.Add(QStringLiteral("%1 %2").arg(name).arg(index), description,
                    QStringLiteral("http://crash.example/%1/%2").arg(name).arg(index),
                    Date::FromParts(2026, 12, 1, 0, index), 0, false);
    return stories;
}

} // namespace AlternatingLoads
