#include "ui/ArticleAddressLabel.h"

#include <QStatusBar>

namespace {

// Enough of an address to tell its site when room is short.
constexpr int MinimumCharacters = 12;

} // namespace

ArticleAddressLabel::ArticleAddressLabel(QStatusBar& bar)
    : QLabel(&bar) {
    setObjectName(QStringLiteral("labArticleURL"));
    setTextFormat(Qt::PlainText);
    bar.addPermanentWidget(this);
    connect(&bar, &QStatusBar::messageChanged, this, [this](const QString& message) {
        m_noticeShown = !message.isEmpty();
        UpdateShown();
    });
    UpdateShown();
}

void ArticleAddressLabel::SetAddress(const QString& url) {
    m_address = url;
    setToolTip(url);
    updateGeometry();
    Elide();
    UpdateShown();
}

void ArticleAddressLabel::SetWanted(bool wanted) {
    m_wanted = wanted;
    UpdateShown();
}

void ArticleAddressLabel::UpdateShown() {
    setVisible(m_wanted && !m_address.isEmpty() && !m_noticeShown);
}

// Asks for the whole address; the bar gives what it can spare. The
// advance is rounded to whole pixels, and eliding measures in fractions: a
// pixel more keeps an address that fits from losing its middle.
QSize ArticleAddressLabel::sizeHint() const {
    const QMargins margins = contentsMargins();
    return {fontMetrics().horizontalAdvance(m_address) + margins.left() + margins.right() + 2,
            QLabel::sizeHint().height()};
}

QSize ArticleAddressLabel::minimumSizeHint() const {
    return {fontMetrics().averageCharWidth() * MinimumCharacters,
            QLabel::minimumSizeHint().height()};
}

void ArticleAddressLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Elide();
}

void ArticleAddressLabel::Elide() {
    setText(fontMetrics().elidedText(m_address, Qt::ElideMiddle, contentsRect().width()));
}
