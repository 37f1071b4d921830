#include "ui/WindowBridge.h"

#include "model/Provider.h"
#include "platform/HighResolutionCounter.h"
#include "platform/WindowMessage.h"
#include "ui/ArticleGrid.h"
#include "ui/CommandBar.h"
#include "ui/FeedTree.h"
#include "ui/MainForm.h"
#include "ui/MainLayout.h"

#include <QApplication>
#include <QMessageBox>

qsizetype WindowBridge::CurrentProviderIndex() const {
    return m_form.CurrentProviderIndex();
}

QString WindowBridge::CurrentCategory() const {
    return m_form.ProgramSettings().CurrentCategory;
}

bool WindowBridge::ShowCategories() const {
    return m_form.ProgramSettings().ShowCategories;
}

int WindowBridge::TreeSelectionValue() const {
    return m_form.Layout().Tree().SelectionValue();
}

Long WindowBridge::SelectedTreeProviderID() const {
    return m_form.Layout().Tree().SelectedProviderID().value_or(0);
}

void WindowBridge::SetActiveProviderListProviderColor(Provider& provider) {
    m_form.Layout().Tree().SetActiveProviderListProviderColor(provider);
}

void WindowBridge::SetWaitCursor(bool on) {
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

// The program update check comes with its own release; until then there is
// never anything to tell.
QString WindowBridge::RunUpdateCheck() {
    return {};
}

void WindowBridge::OpenPhoneHomePrompt(const QString& text) {
    auto* prompt = new QMessageBox(QMessageBox::Question, QStringLiteral("Phone Home?"),
                                   text + QStringLiteral("\n\nVisit home page now?"),
                                   QMessageBox::Yes | QMessageBox::No, &m_form);
    prompt->setAttribute(Qt::WA_DeleteOnClose);
    prompt->open();
}

int WindowBridge::SelectedArticleRow() const {
    return m_form.Layout().Grid().SelectedRow();
}

int WindowBridge::ArticleRowCount() const {
    return m_form.Layout().Grid().RowCount();
}

void WindowBridge::SelectAndShowArticle(int row) {
    m_form.Layout().Grid().SelectRow(row);
    m_form.ShowArticle(row);
}

void WindowBridge::ShowProvider(qsizetype index) {
    m_form.ShowProvider(index);
}

void WindowBridge::SetPlayButtonCaption(const QString& caption) {
    m_form.Commands().SetPlayCaption(caption);
}

void WindowBridge::SetPlayButtonIcon(int imageIndex) {
    m_form.Commands().SetPlayIcon(imageIndex);
}

void WindowBridge::PostNextArticle() {
    WindowMessage::Post(&m_form, WindowMessage::WM_NEXT_ARTICLE);
}

bool WindowBridge::HighlightNewStories() const {
    return m_form.ProgramSettings().HighlightNewStories;
}

bool WindowBridge::PlayArrivalSounds() const {
    return m_form.ProgramSettings().PlayArrivalSounds;
}

Currency WindowBridge::CounterNow() const {
    return HighResolutionCounter::Value();
}

void WindowBridge::StoriesReplaced(Provider& provider) {
    if (m_form.IsCurrentProvider(provider))
        WindowMessage::Post(&m_form, WindowMessage::WM_PROVIDER_LOADED);
}

void WindowBridge::LoadStateChanged(Provider& provider) {
    SetActiveProviderListProviderColor(provider);
}

void WindowBridge::PlayArrivalSound(const QString& soundFile) {
    m_form.PlayArrivalSound(soundFile);
}
