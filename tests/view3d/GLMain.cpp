// The picture tests need a QApplication (font engine, GL contexts) and an X
// server; listing the tests needs neither.
#include "scene/SceneTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    const int result = RUN_ALL_TESTS();
    qv::scene::test::ReleaseSharedContext();
    return result;
}
