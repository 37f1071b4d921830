#include "ui/UpdateReportForm.h"

#include "support/PageScenario.h"

#include <gtest/gtest.h>

// Lines appear in order in their colours, in bold when asked ("append":
// text, colour, bold), and a reset empties the report; "text" is the
// report's own. data/cases/update-report-form-scenarios.json
TEST(UpdateReportFormTest, Scenarios) {
    PageScenarios::Check(QStringLiteral("update-report-form"), [](const QJsonObject& scenario) {
        UpdateReportForm form;
        PageScenario play(form, scenario["watch"].toArray());
        play.Add("append", [&](auto& step) {
            const QColor colour(step[2].toString());
            form.AppendReportLine(
                step[1].toString(),
                {quint8(colour.red()), quint8(colour.green()), quint8(colour.blue())},
                step[3].toBool());
        });
        play.Add("reset", [&](auto&) { form.Reset(); });
        play.State = [&](const QString&) {
            return form.Text();
        };
        return play.Play(scenario["steps"].toArray());
    });
}
