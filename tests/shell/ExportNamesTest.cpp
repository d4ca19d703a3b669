#include "shell/Export.h"
#include "view3d/scene/GLRender.h"

#include "testkit/TestFiles.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace qv;

TEST(Export, ProposedSaveName)
{
    struct Case { const char* document; const char* proposed; };
    const Case cases[] = {
        {R"(C:\Designs\Block A.mnf)", "Block A.bmp"},
        {"/home/u/Block A.mnf", "Block A.bmp"},
        {"Block A.mvf", "Block A.bmp"},
        {"/home/u/Block A", "Block A.bmp"},
        {"/home/u.v/Block", "Block.bmp"}, // a dot in a folder is no extension
        {"/home/u/block.v2.mnf", "block.v2.bmp"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ProposedSaveName(c.document), c.proposed) << c.document;
}

TEST(Export, SupersamplingFactor)
{
    struct Case { int w, h, k; };
    const Case cases[] = {
        {749, 683, 3},     // the main window's first view: 2247 x 2049
        {1000, 1375, 2},   // 1 375 000 pixels: exactly 2
        {1000, 1376, 1},   // more than that: 1
        {3000, 2000, 1},   // more than 5.5 million pixels would give 0
        {200, 160, 13},
        {1, 1, 2345},
        {0, 100, 1},       // no view, no enlargement
        {100, -1, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(scene::SupersamplingFactor(c.w, c.h), c.k) << c.w << "x" << c.h;
}

TEST(Export, ClipboardPictureIsInTheTemporaryFolder)
{
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    const std::string folder = qv::test::TempPath("temporary folder");
    std::filesystem::create_directories(folder);
    setenv("TMPDIR", folder.c_str(), 1);
    const QString file = ClipboardPictureFile();
    // A temporary folder that is not there never sends the picture into
    // the working folder.
    setenv("TMPDIR", (folder + "/missing").c_str(), 1);
    const QString fallback = ClipboardPictureFile();
    if (old) setenv("TMPDIR", saved.c_str(), 1);
    else unsetenv("TMPDIR");
    EXPECT_EQ(file.toStdString(), std::filesystem::canonical(folder).string() + "/IsometricView.bmp");
    EXPECT_EQ(fallback, "/tmp/IsometricView.bmp");
}
