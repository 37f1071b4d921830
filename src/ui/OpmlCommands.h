#pragma once

#include <QObject>

#include <functional>

class ProviderCollection;
class QBoxLayout;
class QWidget;

// "Import OPML..." and "Export OPML..." of the settings dialog: a
// subscription list from another reader into the working copy (so Cancel
// undoes it), and the working copy out as one.
class OpmlCommands : public QObject {
    Q_OBJECT

public:
    // Asks for the file to read (`save` false) or write; empty when the
    // user cancelled. The file dialog unless tests give another.
    using FilePicker = std::function<QString(QWidget* parent, bool save)>;

    // The two buttons are added to `row`.
    OpmlCommands(QBoxLayout& row, QWidget& owner, FilePicker picker = {});

    // Null while the dialog has no working copy.
    void SetProviders(ProviderCollection* providers) { m_providers = providers; }

signals:
    // Providers were added to the working copy.
    void Imported();

private:
    void Import();
    void Export();

    QWidget& m_owner;
    FilePicker m_pick;
    ProviderCollection* m_providers = nullptr;
};
