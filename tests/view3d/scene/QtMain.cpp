// The scene tests that draw nothing (nodes, meshes, text outlines) need Qt's
// font engine but no display: they run on Qt's off-screen platform.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite*/ 0);
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
