#pragma once

#include <QLabel>

class QStatusBar;

// The selected article's address at the right end of the status bar, while
// it is wanted and there is one. It shortens itself in the middle to the
// room it has (the whole address is its tooltip) and gives way to the
// bar's notices while they show.
class ArticleAddressLabel : public QLabel {
    Q_OBJECT

public:
    explicit ArticleAddressLabel(QStatusBar& bar);

    // An empty address hides the label.
    void SetAddress(const QString& url);
    void SetWanted(bool wanted);
    QString Address() const { return m_address; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateShown();
    void Elide();

    QString m_address;
    bool m_wanted = true;
    bool m_noticeShown = false;
};
