#include "ui/SkinFrame.h"
#include "config/Skin.h"
#include "config/SkinCollection.h"
#include "platform/XmlDocument.h"
#include "support/TestData.h"
#include "ui/CaptionBar.h"
#include "ui/SkinBorder.h"
#include "ui/SkinLook.h"

#include <QAbstractButton>
#include <QDialog>
#include <QHash>
#include <QMainWindow>
#include <QTest>

#include <gtest/gtest.h>

namespace {

std::shared_ptr<const SkinLook> Bundled(const char* name) {
    const QString directory = TestData::Bundled(QStringLiteral("skins"));
    SkinCollection skins;
    skins.SyncToDir(directory, false, false, QString::fromLatin1(name));
    return SkinLook::Load(*skins.Item(1), directory);
}

const QHash<QString, Qt::Edge> Edges = {{"left", Qt::LeftEdge},
                                        {"right", Qt::RightEdge},
                                        {"top", Qt::TopEdge},
                                        {"bottom", Qt::BottomEdge}};

QAbstractButton* Button(const QWidget& window, const char* name) {
    return window.findChild<QAbstractButton*>(QString::fromLatin1(name));
}

class SkinFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.setWindowTitle(QStringLiteral("Varnocet - World News"));
        window.setCentralWidget(new QWidget);
        window.resize(640, 480);
        SkinFrame::Apply(window, look);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    CaptionBar* Caption() const { return window.findChild<CaptionBar*>(); }

    std::shared_ptr<const SkinLook> look = Bundled("Torvane");
    QMainWindow window;
};

} // namespace

// How the main window wears its skin (caption, border, where the contents
// start, the caption's buttons) is walked through it
// (tests/data/main-window/skinned-window).

// A dialog is dressed as its window (that it wears the same look is walked
// through the main window's settings dialog, tests/data/main-window/
// skinned-window), and can only be closed; without a skin the desktop's
// frame comes back.
TEST_F(SkinFrameTest, ADialogFollowsItsWindowAndWithoutASkinTheDesktopsFrameComesBack) {
    {
        QDialog dialog(&window);
        SkinFrame::Follow(dialog, window);
        EXPECT_NE(Button(dialog, "btnCaptionClose"), nullptr);
        EXPECT_EQ(Button(dialog, "btnCaptionMinimise"), nullptr);
        EXPECT_EQ(Button(dialog, "btnCaptionMaximise"), nullptr);
    }
    const QMargins margins = window.contentsMargins();
    SkinFrame::Apply(window, Bundled("Birch"));
    EXPECT_EQ(SkinFrame::LookOf(window)->CaptionHeight(), Bundled("Birch")->CaptionHeight());
    EXPECT_NE(window.contentsMargins(), margins);
    SkinFrame::Apply(window, nullptr);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(Caption(), nullptr);
    EXPECT_EQ(window.contentsMargins(), QMargins());
    EXPECT_EQ(SkinFrame::LookOf(window), nullptr);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(SkinFrameTest, TheBorderResizesByTheEdgeOrCornerPressed) {
    const SkinBorder& border = *window.findChild<SkinBorder*>();
    // A point of the 640 by 480 window and the edges a press there drags.
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/skin_border_edges.tsv"))) {
        Qt::Edges edges;
        for (const QString& edge : c[2].split(u' ', Qt::SkipEmptyParts))
            edges |= Edges.value(edge);
        EXPECT_EQ(border.EdgesAt(QPoint(c[0].toInt(), c[1].toInt())), edges)
            << c.join(u' ').toStdString();
    }
}

// Bitmaps that cannot be read leave the frame in the palette's colours.
TEST_F(SkinFrameTest, ASkinWithoutBitmapsStillGivesAUsableFrame) {
    Skin skin;
    skin.FromXML(QStringLiteral("Missing"), nullptr);
    look = SkinLook::Load(skin, QStringLiteral("/nonexistent"));
    EXPECT_TRUE(look->Caption().isNull());
    EXPECT_GE(look->CaptionHeight(), 18);
    EXPECT_EQ(look->BorderWidth(), 4);
    SkinFrame::Apply(window, look);
    EXPECT_FALSE(window.grab().isNull());
}
