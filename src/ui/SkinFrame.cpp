#include "ui/SkinFrame.h"

#include "ui/CaptionBar.h"
#include "ui/SkinBorder.h"
#include "ui/SkinLook.h"
#include "ui/WindowFlag.h"

#include <QEvent>
#include <QWidget>

SkinFrame::SkinFrame(QWidget& window)
    : QObject(&window)
    , m_window(window)
    , m_ownMargins(window.contentsMargins()) {
    setObjectName(QStringLiteral("skinFrame"));
    window.installEventFilter(this);
}

SkinFrame* SkinFrame::Of(const QWidget& window) {
    return window.findChild<SkinFrame*>(QStringLiteral("skinFrame"), Qt::FindDirectChildrenOnly);
}

void SkinFrame::Apply(QWidget& window, std::shared_ptr<const SkinLook> look) {
    SkinFrame* frame = Of(window);
    if (look == nullptr) {
        if (frame != nullptr) {
            frame->Undress();
            delete frame;
        }
        return;
    }
    if (frame == nullptr)
        frame = new SkinFrame(window);
    frame->Dress(std::move(look));
}

std::shared_ptr<const SkinLook> SkinFrame::LookOf(const QWidget& window) {
    const SkinFrame* frame = Of(window);
    return frame != nullptr ? frame->m_look : nullptr;
}

void SkinFrame::Follow(QWidget& dialog, const QWidget& owner) {
    Apply(dialog, LookOf(owner));
}

void SkinFrame::Dress(std::shared_ptr<const SkinLook> look) {
    m_look = std::move(look);
    if (m_caption == nullptr) {
        m_border = new SkinBorder(m_window, m_look);
        m_caption = new CaptionBar(m_window, m_look);
    } else {
        m_border->SetLook(m_look);
        m_caption->SetLook(m_look);
    }
    WindowFlag::Set(m_window, Qt::FramelessWindowHint, true);
    Place();
    m_caption->show();
}

void SkinFrame::Undress() {
    m_window.removeEventFilter(this);
    delete m_caption;
    delete m_border;
    m_caption = nullptr;
    m_border = nullptr;
    m_window.setContentsMargins(m_ownMargins);
    WindowFlag::Set(m_window, Qt::FramelessWindowHint, false);
}

// A maximised window has no edge to drag, so it shows no border.
int SkinFrame::BorderShown() const {
    return m_window.isMaximized() || m_window.isFullScreen() ? 0 : m_look->BorderWidth();
}

void SkinFrame::Place() {
    const int border = BorderShown();
    const int caption = m_look->CaptionHeight();
    m_window.setContentsMargins(m_ownMargins + QMargins(border, border + caption, border, border));
    m_border->setGeometry(m_window.rect());
    m_border->setVisible(border > 0);
    m_border->lower();
    m_caption->setGeometry(border, border, m_window.width() - 2 * border, caption);
    m_caption->raise();
    m_caption->Refresh();
}

bool SkinFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window) {
        switch (event->type()) {
        case QEvent::Resize:
        case QEvent::WindowStateChange:
            Place();
            break;
        case QEvent::WindowTitleChange:
            m_caption->Refresh();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
