#include "ui/CaptionBar.h"

#include "ui/SkinLook.h"
#include "ui/WindowDragger.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Space between the title and what is beside it.
constexpr int TitleGap = 6;

} // namespace

CaptionBar::CaptionBar(QWidget& window, std::shared_ptr<const SkinLook> look)
    : QWidget(&window)
    , m_window(window)
    , m_dragger(new WindowDragger(this)) {
    setObjectName(QStringLiteral("captionBar"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addStretch();
    if (window.windowType() != Qt::Dialog) {
        m_minimise = AddButton(QStringLiteral("btnCaptionMinimise"), CaptionButton::Glyph::Minimise,
                               tr("Minimise"));
        connect(m_minimise, &QAbstractButton::clicked, &window, &QWidget::showMinimized);
        m_maximise = AddButton(QStringLiteral("btnCaptionMaximise"), CaptionButton::Glyph::Maximise,
                               tr("Maximise"));
        connect(m_maximise, &QAbstractButton::clicked, this, &CaptionBar::ToggleMaximised);
    }
    m_close =
        AddButton(QStringLiteral("btnCaptionClose"), CaptionButton::Glyph::Close, tr("Close"));
    connect(m_close, &QAbstractButton::clicked, &window, &QWidget::close);
    m_dragger->SetEnabled(true);
    m_dragger->Watch(*this);
    SetLook(std::move(look));
}

CaptionButton* CaptionBar::AddButton(const QString& name, CaptionButton::Glyph glyph,
                                     const QString& tip) {
    auto* button = new CaptionButton(glyph, this);
    button->setObjectName(name);
    button->setToolTip(tip);
    layout()->addWidget(button);
    return button;
}

void CaptionBar::SetLook(std::shared_ptr<const SkinLook> look) {
    m_look = std::move(look);
    setFixedHeight(m_look->CaptionHeight());
    for (CaptionButton* button : {m_minimise, m_maximise, m_close}) {
        if (button != nullptr) {
            button->SetColor(m_look->TextColor());
            button->setFixedSize(m_look->CaptionHeight() * 3 / 2, m_look->CaptionHeight());
        }
    }
    Refresh();
}

QString CaptionBar::Title() const {
    return m_window.windowTitle();
}

void CaptionBar::Refresh() {
    if (m_maximise != nullptr) {
        const bool maximised = m_window.isMaximized();
        m_maximise->SetGlyph(maximised ? CaptionButton::Glyph::Restore
                                       : CaptionButton::Glyph::Maximise);
        m_maximise->setToolTip(maximised ? tr("Restore") : tr("Maximise"));
    }
    update();
}

void CaptionBar::ToggleMaximised() {
    if (m_window.isMaximized())
        m_window.showNormal();
    else
        m_window.showMaximized();
}

void CaptionBar::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_maximise != nullptr)
        ToggleMaximised();
}

void CaptionBar::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    PaintBitmap(painter);
    PaintTitle(painter);
}

// The ends are drawn as they are and the band between them stretched, so
// that the skin's ornaments keep their shape at any width.
void CaptionBar::PaintBitmap(QPainter& painter) {
    const QPixmap& bitmap = m_look->Caption();
    if (bitmap.isNull()) {
        painter.fillRect(rect(), palette().highlight());
        return;
    }
    const int left = m_look->CaptionLeft();
    const int right = m_look->CaptionRight();
    const int h = height();
    const int sourceHeight = bitmap.height();
    painter.drawPixmap(QRect(0, 0, left, h), bitmap, QRect(0, 0, left, sourceHeight));
    painter.drawPixmap(QRect(left, 0, width() - left - right, h), bitmap,
                       QRect(left, 0, bitmap.width() - left - right, sourceHeight));
    painter.drawPixmap(QRect(width() - right, 0, right, h), bitmap,
                       QRect(bitmap.width() - right, 0, right, sourceHeight));
}

void CaptionBar::PaintTitle(QPainter& painter) {
    QFont font = this->font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(m_look->TextColor());
    const int start = m_look->CaptionLeft() + TitleGap;
    int end = width() - TitleGap;
    for (const CaptionButton* button : {m_minimise, m_maximise, m_close}) {
        if (button != nullptr)
            end = std::min(end, button->x() - TitleGap);
    }
    const QRect space(start, 0, std::max(0, end - start), height());
    const QString shown = painter.fontMetrics().elidedText(Title(), Qt::ElideRight, space.width());
    painter.drawText(space, Qt::AlignLeft | Qt::AlignVCenter, shown);
}
