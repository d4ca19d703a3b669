// The About dialog and the logo pictures: sizes by density, the layout
// computed from the client size, the placeholder, the corner text, closing.
#include "shell/AboutDlg.h"
#include "shell/LogoDensities.h"
#include "shell/ResourceLoader.h"
#include "shell/Translate.h"

#include "testkit/TestFiles.h"

#include <QLabel>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>

using namespace qv;

namespace {

// Every test gets the density it asks for and the real pictures, and
// leaves them so.
class AboutDlg : public testing::Test {
protected:
    void SetUp() override { UseLanguage(qv::test::TempPath("no-locale")); }
    void TearDown() override
    {
        SetDpiOverride(0);
        TResourceLoader::SetResourcePrefix(":/logo/");
    }
};

QImage Picture(const TAboutDlg& dialog) { return dialog.Image1->pixmap().toImage(); }

} // namespace

TEST_F(AboutDlg, PictureByDensityAtTheBoundaries)
{
    struct Case {
        int Dpi;
        const char* Suffix;
    };
    const Case cases[] = {{0, "096"},   {96, "096"},  {119, "096"}, {120, "120"}, {143, "120"},
                          {144, "144"}, {167, "144"}, {168, "168"}, {191, "168"}, {192, "192"},
                          {239, "192"}, {240, "240"}, {287, "240"}, {288, "288"}, {600, "288"}};
    for (const Case& c : cases) EXPECT_STREQ(LogoDensityFor(c.Dpi).Suffix, c.Suffix) << c.Dpi;
    // Every picture is in the program at its size.
    for (const TLogoDensity& d : kLogoDensities) {
        const QImage image(":/logo/MAINLOGO_" + QString(d.Suffix));
        EXPECT_EQ(image.size(), QSize(d.Width, d.Height)) << d.Suffix;
    }
}

// The dialog is the picture's size; the button and the texts sit where the
// design puts them, scaled, counted from the client size.
TEST_F(AboutDlg, SizeAndLayoutFollowTheDensity)
{
    struct Case {
        int Dpi;
        QSize Client;
    };
    const Case cases[] = {{96, {650, 350}}, {120, {812, 437}}, {144, {975, 525}}, {192, {1300, 700}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Dpi);
        SetDpiOverride(c.Dpi);
        TAboutDlg dialog;
        const auto px = [&](int p) { return ToDPI(p, c.Dpi); };
        EXPECT_EQ(dialog.size(), c.Client);
        EXPECT_EQ(dialog.Image1->geometry(), QRect(QPoint(0, 0), c.Client));
        const QRect x = dialog.SpeedButton1->geometry();
        EXPECT_EQ(x.right() + 1, c.Client.width() - px(4));
        EXPECT_EQ(x.top(), px(4));
        const QRect corner = dialog.Label6->geometry();
        EXPECT_EQ(corner.right() + 1, c.Client.width() - px(8));
        EXPECT_EQ(corner.bottom() + 1, c.Client.height() - px(4));
        EXPECT_EQ(dialog.Label7->pos(), QPoint(px(8), corner.top()));
        EXPECT_EQ(dialog.LabelViewer->pos(), QPoint(px(480), px(150)));
        EXPECT_EQ(dialog.LabelYear->pos(), QPoint(px(400), px(86)));
        EXPECT_EQ(dialog.Label6->font().pixelSize(), px(11));
        EXPECT_EQ(dialog.LabelViewer->font().pixelSize(), px(32));
        EXPECT_EQ(dialog.SpeedButton1->font().pixelSize(), px(16));
        // The logo, not the placeholder: its corner is not the black frame.
        EXPECT_NE(Picture(dialog).pixelColor(0, 0), QColor(Qt::black));
    }
}

TEST_F(AboutDlg, ControlsTextsAndColours)
{
    TAboutDlg dialog;
    EXPECT_EQ(dialog.Label6->text(), "QuorvaneViewer 2022 build 45");
    EXPECT_EQ(dialog.Label7->text(), "");
    EXPECT_EQ(dialog.LabelYear->text(), "2022");
    EXPECT_TRUE(dialog.LabelYear->isHidden());
    EXPECT_EQ(dialog.LabelViewer->text(), "Viewer");
    EXPECT_FALSE(dialog.LabelViewer->isHidden());
    EXPECT_EQ(dialog.SpeedButton1->text(), "X");
    EXPECT_EQ(dialog.SpeedButton1->toolTip(), "Close");
    EXPECT_TRUE(dialog.SpeedButton1->autoRaise());
    EXPECT_TRUE(dialog.SpeedButton1->font().bold());
    EXPECT_EQ(dialog.SpeedButton1->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    const QColor text(70, 70, 79);
    EXPECT_EQ(dialog.SpeedButton1->palette().color(QPalette::ButtonText), text);
    for (QLabel* l : {dialog.Label6, dialog.Label7, dialog.LabelViewer})
        EXPECT_EQ(l->palette().color(QPalette::WindowText), text) << l->objectName().toStdString();
}

// Without the pictures the dialog shows a white 24-bit placeholder of the
// design size, framed and crossed in black one-pixel lines.
TEST_F(AboutDlg, PlaceholderWhenThePicturesAreMissing)
{
    TResourceLoader::SetResourcePrefix(":/no-such-pictures/");
    for (int dpi : {96, 120}) {
        SCOPED_TRACE(dpi);
        SetDpiOverride(dpi);
        TAboutDlg dialog;
        const QImage image = Picture(dialog);
        const int w = ToDPI(650, dpi), h = ToDPI(350, dpi);
        ASSERT_EQ(image.size(), QSize(w, h));
        EXPECT_EQ(dialog.size(), QSize(w, h));
        EXPECT_EQ(TResourceLoader::Placeholder(w, h).depth(), 24);
        const QColor black(Qt::black), white(Qt::white);
        for (int x = 0; x < w; x += 7) {
            EXPECT_EQ(image.pixelColor(x, 0), black);
            EXPECT_EQ(image.pixelColor(x, h - 1), black);
        }
        for (int y = 0; y < h; y += 7) {
            EXPECT_EQ(image.pixelColor(0, y), black);
            EXPECT_EQ(image.pixelColor(w - 1, y), black);
        }
        // Along both diagonals a black pixel lies within one pixel of the
        // line; every pixel more than two pixels away from the lines and
        // the frame is white.
        int blackOnDiagonals = 0, samples = 0;
        for (int x = 10; x < w - 10; x += 13) {
            const int y = x * (h - 1) / (w - 1);
            for (int yy : {y, h - 1 - y}) {
                ++samples;
                bool found = false;
                for (int d = -1; d <= 1; ++d) found = found || image.pixelColor(x, yy + d) == black;
                blackOnDiagonals += found;
            }
        }
        EXPECT_EQ(blackOnDiagonals, samples);
        const double length = std::hypot(w - 1, h - 1);
        int whites = 0;
        for (int y = 3; y < h - 3; y += 5)
            for (int x = 3; x < w - 3; x += 5) {
                // Distances from the lines (0,0)-(w-1,h-1) and (0,h-1)-(w-1,0).
                const double d1 = std::abs((h - 1) * x - (w - 1) * y) / length;
                const double d2 = std::abs((h - 1) * x + (w - 1) * y - (w - 1) * (h - 1)) / length;
                if (d1 <= 2 || d2 <= 2) continue;
                ++whites;
                ASSERT_EQ(image.pixelColor(x, y), white) << x << "," << y;
            }
        EXPECT_GT(whites, w * h / 30);
        EXPECT_EQ(image.pixelColor(w / 2, h / 4), white);
    }
}

TEST_F(AboutDlg, EscapeAndTheCloseButtonClose)
{
    {
        TAboutDlg dialog;
        dialog.show();
        ASSERT_TRUE(dialog.isVisible());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    {
        TAboutDlg dialog;
        dialog.show();
        QTest::mouseClick(dialog.SpeedButton1, Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    }
}

// The real desktop's density, in a process of its own: Qt's scale factor
// makes the dialog take the sharper picture (1.5 gives the 144-dpi one),
// shown at the design size in device-independent pixels, so the window is
// 975 x 525 device pixels. The probe is this test program run with
// --about-probe.
TEST_F(AboutDlg, TheDesktopsDensityChoosesThePicture)
{
    struct Case {
        const char* env;
        const char* expected;
    };
    const Case cases[] = {
        {"QT_SCALE_FACTOR=1", "dpi 96 client 650x350 picture 650x350 grab 650x350"},
        {"QT_SCALE_FACTOR=1.5", "dpi 96 client 650x350 picture 975x525 grab 975x525"},
        {"QT_SCALE_FACTOR=2", "dpi 96 client 650x350 picture 1300x700 grab 1300x700"},
        // Qt 6 turns a font dpi into the same scaling.
        {"QT_FONT_DPI=144", "dpi 96 client 650x350 picture 975x525 grab 975x525"},
    };
    for (const Case& c : cases) {
        const std::string command = std::string("env QT_QPA_PLATFORM=offscreen ") + c.env + " '" +
                                    TEST_PROGRAM + "' --about-probe";
        const qv::test::TRunResult r = qv::test::RunCommand(command);
        EXPECT_EQ(r.status, 0) << c.env << ": " << r.err;
        EXPECT_EQ(r.out, std::string(c.expected) + "\n") << c.env;
    }
}
