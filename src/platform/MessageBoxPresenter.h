#pragma once

#include <QString>

// What shows a message box. The ui layer shows a QMessageBox; command-line
// tools print the text; tests record it.
class MessageBoxPresenter {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~MessageBoxPresenter() = default;
    virtual Answer Show(const QString& text, Buttons buttons, const QString& title) = 0;
};
