#include "platform/MessageBox.h"

#include <cstdio>

namespace {

class StandardErrorPresenter : public MessageBoxPresenter {
public:
    Answer Show(const QString& text, Buttons, const QString&) override {
        std::fprintf(stderr, "message: %s\n", qUtf8Printable(text));
        return Answer::Ok;
    }
};

StandardErrorPresenter standardErrorPresenter;
MessageBoxPresenter* presenter = &standardErrorPresenter;

} // namespace

namespace MessageBox {

void SetPresenter(MessageBoxPresenter* newPresenter) {
    presenter = newPresenter ? newPresenter : &standardErrorPresenter;
}

MessageBoxPresenter::Answer Show(const QString& text, MessageBoxPresenter::Buttons buttons,
                                 const QString& title) {
    return presenter->Show(text, buttons, title);
}

void ShowOperationError(const QString& operation) {
    Show(QStringLiteral("Error in ") + operation + QStringLiteral("!"));
}

} // namespace MessageBox
