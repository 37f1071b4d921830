#pragma once

#include <QString>

class ProviderCollection;

// The category commands of the settings dialog on its working provider list.
// After each command the categories are sorted, parents first, and their
// visibility is recomputed, so the list stays as start-up leaves it. Paths are
// found without regard to letter case.
class CategoryEditor {
public:
    enum class RenameResult { Renamed, Empty, Taken, Invalid };

    struct DeleteResult {
        enum class Outcome { Deleted, HasChildren, HoldsReassigned };
        Outcome outcome = Outcome::Deleted;
        // The providers moved, and the category they now belong to.
        qsizetype moved = 0;
        QString target;

        // What the user is told; empty when nothing needs saying.
        QString Message() const;
    };

    explicit CategoryEditor(ProviderCollection& providers);

    // Adds an active, user-defined category named "New" ("New 2", "New 3",
    // ... when taken) below `parentPath`, or at the top when it is empty or
    // names no category. Returns its path.
    QString NewCategory(const QString& parentPath);

    // Gives the category at `path` the last path component `newName`
    // (trimmed); its sub-categories and the providers filed in and below it
    // move along. Only letter case may match another category's path: its
    // own.
    RenameResult Rename(const QString& path, const QString& newName);
    // The refusal text of a result; empty for Renamed and Invalid (a "/" is
    // refused as it is typed).
    static QString RenameMessage(RenameResult result);

    void SetActive(const QString& path, bool active);

    // Removes a category without sub-categories; its providers go to the
    // parent, or to "General" at the top.
    DeleteResult Delete(const QString& path);

    // The path of `name` below `parentPath` (empty for the top).
    static QString ChildPath(const QString& parentPath, const QString& name);

    static const QString FallbackCategory;

private:
    // The stored spelling of `path`, empty when no category has it.
    QString StoredPath(const QString& path) const;
    bool HasChildren(const QString& stored) const;
    // Moves the providers; the empty categories other than `dropped` stay.
    qsizetype MoveProviders(const QString& from, const QString& to, const QString& dropped);
    void Tidy();

    ProviderCollection& m_providers;
};
