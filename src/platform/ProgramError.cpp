#include "platform/ProgramError.h"

ProgramError::ProgramError(const QString& reason)
    : std::runtime_error(reason.toStdString()) {}

QString ProgramError::Reason() const {
    return QString::fromStdString(what());
}
