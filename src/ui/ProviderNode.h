#pragma once

#include "platform/Types.h"

#include <QIcon>
#include <QTreeWidgetItem>

#include <array>
#include <memory>

class Provider;

// A provider's node in the feed tree. It shows the provider as it stands
// whenever it is drawn (its name, its LoadState as its icon, its last load
// time as its tooltip), so making one costs no more than the node itself:
// a list of thousands fills at once, and only the nodes in view are ever
// asked what they show.
class ProviderNode : public QTreeWidgetItem {
public:
    // The item data role that holds the provider's UniqueID.
    static constexpr int IDRole = Qt::UserRole;

    // What all provider nodes of one tree show alike.
    struct Looks {
        Looks();
        // No new stories, new stories, loading (a ring), failed.
        std::array<QIcon, 4> LoadStateIcons;
        bool ShowLastLoadTime = false;
        // Each node on its provider's own back colour.
        bool ProviderColours = false;
    };

    // Held so that the node can be drawn whatever became of the list;
    // `looks` must outlive the node.
    ProviderNode(std::shared_ptr<const Provider> provider, const Looks& looks);

    QVariant data(int column, int role) const override;
    // Has the node drawn anew from its provider.
    void Refresh() { emitDataChanged(); }

private:
    QString Text() const;
    QIcon Icon() const;
    QString ToolTip() const;
    QVariant Background() const;
    QVariant Foreground() const;

    std::shared_ptr<const Provider> m_provider;
    const Looks& m_looks;
};
