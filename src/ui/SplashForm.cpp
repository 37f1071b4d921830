#include "ui/SplashForm.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

SplashForm::SplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint)
    , m_status(new QLabel(this))
    , m_progress(new QProgressBar(this)) {
    auto* title = new QLabel(QApplication::applicationName(), this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    m_progress->hide();
    setMinimumWidth(360);
    SetPosition(nullptr);
}

void SplashForm::SetStatus(const QString& text) {
    m_status->setText(text);
    LetEventsRun();
}

// The bar counts in percent: a bar whose value changes repaints at once, and
// thousands of providers must not mean thousands of repaints.
void SplashForm::OpenProgress(int maximum) {
    m_maximum = std::max(maximum, 0);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->show();
    LetEventsRun();
}

void SplashForm::UpdateProgress(int value) {
    const int percent = m_maximum > 0 ? static_cast<int>(qint64(value) * 100 / m_maximum) : 0;
    if (percent == m_progress->value())
        return;
    m_progress->setValue(percent);
    if (!m_sinceEvents.isValid() || m_sinceEvents.elapsed() >= RepaintIntervalMs)
        LetEventsRun();
}

void SplashForm::CloseProgress() {
    m_progress->hide();
    LetEventsRun();
}

QString SplashForm::Status() const {
    return m_status->text();
}

void SplashForm::SetPosition(const QWidget* window) {
    adjustSize();
    const QRect area = window != nullptr ? window->frameGeometry()
                                         : QApplication::primaryScreen()->availableGeometry();
    move(area.center() - rect().center());
}

void SplashForm::LetEventsRun() {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sinceEvents.start();
}
