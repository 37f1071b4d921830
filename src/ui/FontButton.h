#pragma once

#include "platform/Currency.h"

#include <QPushButton>

#include <functional>

// A button that shows a list's chosen font and lets the user pick another:
// a family and a size in points, where a size of 0 keeps the list's
// built-in font.
class FontButton : public QPushButton {
    Q_OBJECT

public:
    // Asks the user for a font starting from the given one; nothing when the
    // user cancels. The font dialog unless tests give another.
    using Picker = std::function<std::optional<QFont>(const QFont& start, QWidget* parent)>;

    explicit FontButton(QWidget* parent = nullptr, Picker picker = {});

    void SetChoice(const QString& family, const Currency& size);
    const QString& Family() const { return m_family; }
    const Currency& Size() const { return m_size; }

private:
    void Pick();
    void ShowChoice();

    Picker m_picker;
    QString m_family;
    Currency m_size;
};
