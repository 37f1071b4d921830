#pragma once

#include <QFont>

class Currency;

// The font the preferences choose for a list (the provider tree, the
// article grid), with the list's built-in font to fall back on.
class ListFont {
public:
    explicit ListFont(const QFont& builtIn);

    // The named font at `size` points; a size of 0 or less means the
    // built-in font, whatever the name.
    QFont Chosen(const QString& name, const Currency& size) const;

private:
    QFont m_builtIn;
};
