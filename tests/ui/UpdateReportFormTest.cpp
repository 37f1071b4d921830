#include "ui/UpdateReportForm.h"

#include <QTextBlock>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

// The text of every run of equally formatted characters, with its colour:
// "text #rrggbb".
QStringList Runs(const UpdateReportForm& form) {
    QStringList runs;
    const QTextDocument* document =
        form.findChild<QTextEdit*>(QStringLiteral("txtUpdates"))->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            runs.append(it.fragment().text() + " " +
                        it.fragment().charFormat().foreground().color().name());
    return runs;
}

// Lines appear in order in their colours, in bold when asked, and a reset
// empties the report.
TEST(UpdateReportFormTest, LinesAppearInOrderInTheirColoursUntilReset) {
    UpdateReportForm form;
    form.AppendReportLine(QStringLiteral("Stale\n"), UpdateReport::Red, true);
    form.Reset();
    EXPECT_TRUE(form.Text().isEmpty());
    form.AppendReportLine(QStringLiteral("Added provider A\n"), UpdateReport::Blue, false);
    form.AppendReportLine(QStringLiteral("Changed properties on provider B\n"),
                          UpdateReport::Magenta, false);
    form.AppendReportLine(QStringLiteral("Removed provider C\n"), UpdateReport::Red, false);
    form.AppendReportLine(QStringLiteral("Update complete!\n"), UpdateReport::Black, false);

    EXPECT_EQ(form.Text(), QStringLiteral("Added provider A\nChanged properties on provider B\n"
                                          "Removed provider C\nUpdate complete!\n"));
    EXPECT_EQ(Runs(form),
              QStringList({"Added provider A #0000ff", "Changed properties on provider B #ff00ff",
                           "Removed provider C #ff0000", "Update complete! #000000"}));
    EXPECT_FALSE(form.Html().contains(QStringLiteral("font-weight:700")));
    form.AppendReportLine(QStringLiteral("Bold"), UpdateReport::Black, true);
    EXPECT_TRUE(form.Html().contains(QStringLiteral("font-weight:700")));
}

} // namespace
