#pragma once

#include "platform/MessageBoxPresenter.h"

// The program's message boxes as modal QMessageBoxes over the active window.
class QtMessageBoxPresenter : public MessageBoxPresenter {
public:
    Answer Show(const QString& text, Buttons buttons, const QString& title) override;
};
