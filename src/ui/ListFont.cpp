#include "ui/ListFont.h"

#include "platform/Currency.h"

ListFont::ListFont(const QFont& builtIn)
    : m_builtIn(builtIn) {}

QFont ListFont::Chosen(const QString& name, const Currency& size) const {
    if (size.Scaled() <= 0)
        return m_builtIn;
    QFont font(name);
    font.setPointSizeF(size.ToDouble());
    return font;
}
