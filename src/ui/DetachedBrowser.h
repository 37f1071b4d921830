#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class BrowserPane;

// The "Detached Browser": a window of its own that follows the selected
// article, for reading beside the main window. Its links are held to the
// same rules as the headline browser's.
class DetachedBrowser : public QWidget {
    Q_OBJECT

public:
    explicit DetachedBrowser(QWidget* parent = nullptr);

    // Shows the page at url; false, with a beep and nothing changed,
    // for a link that is not a web address.
    bool Navigate(const QString& url);
    // The address the window shows or is loading.
    QUrl Url() const;

private:
    BrowserPane* m_pane;
};
