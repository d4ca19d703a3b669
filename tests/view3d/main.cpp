// The view settings tests build small widget trees: they need an application
// object, not a display (they run on Qt's off-screen platform).
#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite*/ 0);
    QApplication app(argc, argv);
    // The edits show numbers with the user's decimal separator; the tests
    // expect a point unless they choose another locale themselves.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
