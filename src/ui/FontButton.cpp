#include "ui/FontButton.h"

#include <QFontDialog>

namespace {

std::optional<QFont> AskForFont(const QFont& start, QWidget* parent) {
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, start, parent);
    return chosen ? std::optional<QFont>(font) : std::nullopt;
}

} // namespace

FontButton::FontButton(QWidget* parent, Picker picker)
    : QPushButton(parent)
    , m_picker(picker ? std::move(picker) : Picker(AskForFont)) {
    connect(this, &QPushButton::clicked, this, &FontButton::Pick);
    ShowChoice();
}

void FontButton::SetChoice(const QString& family, const Currency& size) {
    m_family = family;
    m_size = size;
    ShowChoice();
}

void FontButton::Pick() {
    QFont start = font();
    if (m_size.Scaled() > 0) {
        start.setFamily(m_family);
        start.setPointSizeF(m_size.ToDouble());
    }
    const std::optional<QFont> picked = m_picker(start, this);
    if (!picked)
        return;
    // A font given in pixels has no point size; keep the one on show then.
    const double points = picked->pointSizeF() > 0 ? picked->pointSizeF() : start.pointSizeF();
    SetChoice(picked->family(), Currency::FromDouble(points));
}

void FontButton::ShowChoice() {
    if (m_size.Scaled() <= 0) {
        setText(tr("Built-in font..."));
        return;
    }
    setText(tr("%1, %2 pt...").arg(m_family, QString::number(m_size.ToDouble())));
}
