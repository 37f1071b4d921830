#pragma once

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QSignalSpy>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>

class ProviderCollection;
class QWidget;

// Plays a scenario of what a user does on a page of the settings dialog (or
// any window) and writes down, after each step, what changed among the
// things it watches: widgets by object name, state a test names itself,
// the message boxes shown and the signals sent during the step.
//
// Steps are JSON arrays, the command first: ["click", "btnSort"],
// ["hold", "btnMoveUp", "Shift"], ["let go", "btnMoveUp"], ["type", "txtName", "Zed"]
// (a final "\n" presses Return), ["select", "lstProviders", 0, 2] (rows, or
// a tree's path), ["choose", "cboLanguage", "Portuguese"],
// ["set", "sldRefreshHours", 15], ["link", "lblSkinAuthorSite", "mailto:x"],
// ["answer", "No"] (the next message box), ["wait", "lstProviders", "News"],
// ["field", 2, "Active", "False"] (a stored field of a provider of
// Providers); a test adds its own commands with Steps. Besides object names
// it watches "cboCategory:items" (a list's entries), "btnVisit:tip" (a
// tooltip), "2.Active" (that field), "categories" (Providers' categories,
// see CategoryLines) and what its State answers.
class PageScenario {
public:
    using Step = std::function<void(const QJsonArray& step)>;

    PageScenario(QWidget& page, const QJsonArray& watched);

    // Counts `spy`'s signal during each step, under `name`.
    void Count(const QString& name, std::unique_ptr<QSignalSpy> spy);
    // Written as `placeholder` wherever it shows (a temporary folder, a
    // server's address), and read back from the steps' words.
    void Replace(const QString& text, const QString& placeholder);

    // The transcript: after each step, its changes.
    QJsonArray Play(const QJsonArray& steps);

    QHash<QString, Step> Steps;
    std::function<QString(const QString& name)> State;
    ProviderCollection* Providers = nullptr;

private:
    QJsonObject Snapshot() const;
    QString Describe(const QString& name) const;
    QString Placed(QString text) const;
    QJsonArray Unplaced(QJsonArray step) const;
    QWidget* Widget(const QJsonValue& name) const;
    void AddCommonSteps();

    QWidget& m_page;
    QStringList m_watched;
    std::map<QString, std::unique_ptr<QSignalSpy>> m_spies;
    QList<std::pair<QString, QString>> m_replacements;
};

namespace PageScenarios {

// Plays every scenario of tests/data/cases/<area>-scenarios.json (objects
// with "name") with `play` and compares the transcripts with
// <area>-scenarios.expected.json beside it.
void Check(const QString& area, const std::function<QJsonArray(const QJsonObject&)>& play);

} // namespace PageScenarios
