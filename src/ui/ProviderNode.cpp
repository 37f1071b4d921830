#include "ui/ProviderNode.h"

#include "feeds/FeedFormat.h"
#include "model/Provider.h"
#include "platform/Currency.h"
#include "ui/ProviderColour.h"

#include <QPainter>

namespace {

QIcon PaintedDot(const QColor& colour, bool ring) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ring ? colour : colour.darker(140), ring ? 3 : 1));
    painter.setBrush(ring ? QBrush(Qt::NoBrush) : QBrush(colour));
    painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    return QIcon(pixmap);
}

// Seconds with three decimals, halves rounded away from zero.
QString ThreeDecimals(const Currency& seconds) {
    const qint64 rest = seconds.Scaled() % 10;
    const qint64 thousandths = seconds.Scaled() / 10 + (rest >= 5 ? 1 : rest <= -5 ? -1 : 0);
    return QString::number(static_cast<double>(thousandths) / 1000.0, 'f', 3);
}

} // namespace

ProviderNode::Looks::Looks()
    : LoadStateIcons{PaintedDot(QColor(120, 170, 120), false),
                     PaintedDot(QColor(255, 150, 0), false), PaintedDot(QColor(50, 110, 220), true),
                     PaintedDot(QColor(210, 40, 40), false)} {}

ProviderNode::ProviderNode(std::shared_ptr<const Provider> provider, const Looks& looks)
    : m_provider(std::move(provider))
    , m_looks(looks) {}

QVariant ProviderNode::data(int column, int role) const {
    if (column != 0)
        return QTreeWidgetItem::data(column, role);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return Text();
    case Qt::DecorationRole:
        return Icon();
    case Qt::ToolTipRole:
        return ToolTip();
    case Qt::BackgroundRole:
        return Background();
    case Qt::ForegroundRole:
        return Foreground();
    case IDRole:
        return QVariant::fromValue(m_provider->UniqueID);
    default:
        return QTreeWidgetItem::data(column, role);
    }
}

// A provider added by its address has no name until its feed has been read.
QString ProviderNode::Text() const {
    return m_provider->ProviderName.isEmpty() ? m_provider->DataURL : m_provider->ProviderName;
}

QIcon ProviderNode::Icon() const {
    const Long state = m_provider->LoadState;
    const bool known = state >= LoadState::Loaded && state <= LoadState::Failed;
    return known ? m_looks.LoadStateIcons[static_cast<std::size_t>(state)] : QIcon();
}

QString ProviderNode::ToolTip() const {
    if (!m_looks.ShowLastLoadTime)
        return QString();
    return QStringLiteral("Last Load Time: ") + ThreeDecimals(m_provider->LastLoadDuration) +
           QStringLiteral(" seconds");
}

QVariant ProviderNode::Background() const {
    if (!m_looks.ProviderColours)
        return QVariant();
    return QBrush(ProviderColour::FromPacked(m_provider->BackColor));
}

QVariant ProviderNode::Foreground() const {
    if (!m_looks.ProviderColours)
        return QVariant();
    return QBrush(ProviderColour::TextOn(ProviderColour::FromPacked(m_provider->BackColor)));
}
