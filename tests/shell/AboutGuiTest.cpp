// Help > About on a real desktop: the main window's command shows the About
// dialog modally, borderless and centred on the screen, and Esc closes it.
#include "shell/AboutDlg.h"
#include "shell/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace qv;

TEST(AboutDialog, HelpAboutShowsItModallyCentredAndEscapeClosesIt)
{
    TMainForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTRY_VERIFY(form.FirstActivationDone());
    auto* about = form.findChild<QAction*>("HelpAboutAction");
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(about->isEnabled());

    bool seen = false, exposed = false;
    QRect geometry, screen;
    QString corner;
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<TAboutDlg*>(QApplication::activeModalWidget());
        if (!dialog) return; // the test fails below; the dialog would stay open
        seen = true;
        exposed = QTest::qWaitForWindowExposed(dialog);
        geometry = dialog->frameGeometry();
        screen = dialog->screen()->geometry();
        corner = dialog->Label6->text();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    about->trigger(); // returns when the dialog is closed
    ASSERT_TRUE(seen);
    EXPECT_TRUE(exposed);
    EXPECT_EQ(geometry.size(), QSize(650, 350)); // no frame around it
    EXPECT_LE(std::abs(geometry.center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(geometry.center().y() - screen.center().y()), 1);
    EXPECT_EQ(corner, "QuorvaneViewer 2022 build 45");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
