#include "ui/QtMessageBoxPresenter.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::StandardButtons StandardButtons(MessageBoxPresenter::Buttons buttons) {
    switch (buttons) {
    case MessageBoxPresenter::Buttons::Ok:
        return QMessageBox::Ok;
    case MessageBoxPresenter::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageBoxPresenter::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageBoxPresenter::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MessageBoxPresenter::Answer ToAnswer(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return MessageBoxPresenter::Answer::Yes;
    case QMessageBox::No:
        return MessageBoxPresenter::Answer::No;
    case QMessageBox::Cancel:
        return MessageBoxPresenter::Answer::Cancel;
    default:
        return MessageBoxPresenter::Answer::Ok;
    }
}

} // namespace

MessageBoxPresenter::Answer QtMessageBoxPresenter::Show(const QString& text, Buttons buttons,
                                                        const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, StandardButtons(buttons),
                    QApplication::activeWindow());
    return ToAnswer(box.exec());
}
