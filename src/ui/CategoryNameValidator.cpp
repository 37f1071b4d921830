#include "ui/CategoryNameValidator.h"

#include <QApplication>

QValidator::State CategoryNameValidator::validate(QString& input, int& /*position*/) const {
    if (!input.contains(u'/'))
        return Acceptable;
    QApplication::beep();
    return Invalid;
}
