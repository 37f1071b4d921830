#pragma once

#include <QAbstractButton>
#include <QColor>

// A button of a skinned caption bar: a flat glyph in the caption's text
// colour over the caption bitmap, lit while the pointer is over it.
class CaptionButton : public QAbstractButton {
    Q_OBJECT

public:
    enum class Glyph { Minimise, Maximise, Restore, Close };

    CaptionButton(Glyph glyph, QWidget* parent = nullptr);

    void SetGlyph(Glyph glyph);
    Glyph CurrentGlyph() const { return m_glyph; }
    void SetColor(const QColor& color);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void PaintBackground(QPainter& painter);
    void PaintGlyph(QPainter& painter, const QRectF& box);

    Glyph m_glyph;
    QColor m_color = Qt::white;
    bool m_hovered = false;
};
