#pragma once

#include <QMargins>
#include <QObject>

#include <memory>

class CaptionBar;
class QWidget;
class SkinBorder;
class SkinLook;

// Dresses a top-level window in a skin: the window loses the desktop's
// frame and gets the skin's caption bar and border instead, drawn around
// its contents. Moving and resizing are handed to the window system, so
// they work alike on X11 and Wayland. Without a skin the window wears the
// desktop's own frame.
class SkinFrame : public QObject {
    Q_OBJECT

public:
    // `look` null: the desktop's frame again.
    static void Apply(QWidget& window, std::shared_ptr<const SkinLook> look);
    // The look `window` wears; null for the desktop's frame.
    static std::shared_ptr<const SkinLook> LookOf(const QWidget& window);
    // Dresses a dialog as the window it belongs to.
    static void Follow(QWidget& dialog, const QWidget& owner);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit SkinFrame(QWidget& window);
    static SkinFrame* Of(const QWidget& window);

    void Dress(std::shared_ptr<const SkinLook> look);
    void Undress();
    void Place();
    int BorderShown() const;

    QWidget& m_window;
    std::shared_ptr<const SkinLook> m_look;
    // What the window's own margins were before the frame took its share.
    QMargins m_ownMargins;
    CaptionBar* m_caption = nullptr;
    SkinBorder* m_border = nullptr;
};
