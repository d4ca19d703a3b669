// The view settings tests build small widget trees: they need an application
// object (and an X server, as every test labelled "gui").
#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // Without an X server (the build lists the tests without one) these
    // widget tests run on Qt's off-screen platform.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // The edits show numbers with the user's decimal separator; the tests
    // expect a point unless they choose another locale themselves.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
