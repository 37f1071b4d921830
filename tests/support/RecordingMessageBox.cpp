#include "support/RecordingMessageBox.h"

#include "platform/MessageBox.h"

namespace {

// Clears the record before every test, so a test sees only its own boxes.
class ClearRecordListener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        RecordingMessageBox::Instance().Texts.clear();
        RecordingMessageBox::Instance().Titles.clear();
        RecordingMessageBox::Instance().NextAnswer = MessageBoxPresenter::Answer::Ok;
    }
};

} // namespace

RecordingMessageBox& RecordingMessageBox::Instance() {
    static RecordingMessageBox instance;
    return instance;
}

MessageBoxPresenter::Answer
RecordingMessageBox::Show(const QString& text, MessageBoxPresenter::Buttons, const QString& title) {
    Texts.append(text);
    Titles.append(title);
    return NextAnswer;
}

void RecordingMessageBoxEnvironment::SetUp() {
    MessageBox::SetPresenter(&RecordingMessageBox::Instance());
    ::testing::UnitTest::GetInstance()->listeners().Append(new ClearRecordListener);
}
