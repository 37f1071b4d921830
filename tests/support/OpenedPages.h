#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QUrl>

// Takes the desktop browser's place for web pages while it lives: the
// pages the program opens are recorded, and none opens.
class OpenedPages : public QObject {
    Q_OBJECT

public:
    OpenedPages() {
        for (const char* scheme : Schemes)
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
    }
    ~OpenedPages() override {
        for (const char* scheme : Schemes)
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    QList<QUrl> Pages;

public slots:
    void Open(const QUrl& url) { Pages.append(url); }

private:
    static constexpr const char* Schemes[] = {"http", "https"};
};
