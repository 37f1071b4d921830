#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QPlainTextEdit;

// Asks before providers are loaded in bulk from a provider directory: what
// will happen, from where (an address the user may change, or a local file
// in the same format), and the options.
class BulkAddConfForm : public QDialog {
    Q_OBJECT

public:
    // Opens the help at a topic.
    using HelpOpener = std::function<void(const QString& topic)>;
    // Asks for a local file to read; empty when the user cancelled.
    using FilePicker = std::function<QString(QWidget* parent)>;

    struct Options {
        bool Ok = false;
        bool GetDetails = true;
        bool MakeActive = true;
        // Where to read the list from, as the user left it.
        QString Source;
    };

    explicit BulkAddConfForm(HelpOpener help, FilePicker picker = {}, QWidget* parent = nullptr);

    // Fills the window; an option not offered keeps its (checked) state.
    void Prepare(const QString& title, const QString& listName, const QString& url,
                 const QString& category, bool offerDetails, bool offerActive);
    Options Result() const;

    // Prepare, then ask modally.
    Options GetBulkAddOptions(const QString& title, const QString& listName, const QString& url,
                              const QString& category, bool offerDetails, bool offerActive);

    static QString MessageText(const QString& listName, const QString& url, const QString& category,
                               bool offerDetails, bool offerActive);

private:
    void PickFile();
    void UpdateOk();

    FilePicker m_pick;
    QPlainTextEdit* m_message;
    QLineEdit* m_address;
    QCheckBox* m_loadDetails;
    QCheckBox* m_makeActive;
    QDialogButtonBox* m_buttons;
};
