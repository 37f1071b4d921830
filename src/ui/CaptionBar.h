#pragma once

#include "ui/CaptionButton.h"

#include <QWidget>

#include <memory>

class SkinLook;
class WindowDragger;

// The caption of a skinned window: the skin's caption bitmap with the
// window's title and its buttons. Dragging it moves the window and a double
// click maximises it, as a desktop's own caption does. Dialogs get a close
// button only.
class CaptionBar : public QWidget {
    Q_OBJECT

public:
    CaptionBar(QWidget& window, std::shared_ptr<const SkinLook> look);

    void SetLook(std::shared_ptr<const SkinLook> look);
    // The title as the bar shows it, before it is cut to fit.
    QString Title() const;
    // Follows the window's title and its maximised state.
    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    CaptionButton* AddButton(const QString& name, CaptionButton::Glyph glyph, const QString& tip);
    void ToggleMaximised();
    void PaintBitmap(QPainter& painter);
    void PaintTitle(QPainter& painter);

    QWidget& m_window;
    std::shared_ptr<const SkinLook> m_look;
    CaptionButton* m_minimise = nullptr;
    CaptionButton* m_maximise = nullptr;
    CaptionButton* m_close = nullptr;
    WindowDragger* m_dragger;
};
