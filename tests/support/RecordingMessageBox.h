#pragma once

#include "platform/MessageBoxPresenter.h"

#include <QStringList>

#include <gtest/gtest.h>

// Stands in for the message boxes: records every text shown and answers with
// a preset answer. Installed for the whole test run; each test starts with an
// empty record.
class RecordingMessageBox : public MessageBoxPresenter {
public:
    static RecordingMessageBox& Instance();

    MessageBoxPresenter::Answer Show(const QString& text, MessageBoxPresenter::Buttons buttons,
                                     const QString& title) override;

    QStringList Texts;
    QStringList Titles;
    MessageBoxPresenter::Answer NextAnswer = MessageBoxPresenter::Answer::Ok;
};

class RecordingMessageBoxEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
};
