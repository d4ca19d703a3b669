// The window placement tests create real (unshown) windows: they need an
// application object and an X server, as every test labelled "gui".
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
