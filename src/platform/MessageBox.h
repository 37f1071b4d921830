#pragma once

#include "platform/MessageBoxPresenter.h"

#include <QString>

// The program's message boxes, whoever presents them.
namespace MessageBox {

// Installs the presenter (not owned); nullptr restores the default, which
// writes "message: <text>" to standard error and answers Ok.
void SetPresenter(MessageBoxPresenter* presenter);

MessageBoxPresenter::Answer
Show(const QString& text, MessageBoxPresenter::Buttons buttons = MessageBoxPresenter::Buttons::Ok,
     const QString& title = QStringLiteral("Varnocet"));

// The report of a failed operation at its boundary: "Error in <operation>!",
// OK button only.
void ShowOperationError(const QString& operation);

} // namespace MessageBox
