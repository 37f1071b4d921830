#pragma once

#include <QValidator>

// Refuses "/" in the name of one category, with a beep: it separates the
// levels of a category path.
class CategoryNameValidator : public QValidator {
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override;
};
