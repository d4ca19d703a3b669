// The shell's off-screen tests create real (unshown) windows: they need an
// application object, not a display (they run on Qt's off-screen platform).
//
// Run with --about-probe [PNG [--no-pictures]], the program instead makes
// the About dialog on the desktop it finds (the density tests run it with
// Qt's scaling variables set), prints its dots per inch and sizes on one
// line, and saves a picture of it to PNG when given (with the placeholder
// instead of the logo after --no-pictures).
#include "shell/AboutDlg.h"
#include "shell/ResourceLoader.h"
#include "shell/Translate.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int AboutProbe(int argc, char** argv)
{
    qv::UseLanguage("/nonexistent"); // English whatever the machine has
    if (argc > 3 && std::strcmp(argv[3], "--no-pictures") == 0)
        qv::TResourceLoader::SetResourcePrefix(":/no-such-pictures/");
    qv::TAboutDlg dialog;
    const QPixmap grab = dialog.grab();
    const QPixmap picture = dialog.Image1->pixmap();
    std::printf("dpi %d client %dx%d picture %dx%d grab %dx%d\n", dialog.GetDpi(), dialog.width(), dialog.height(),
                picture.width(), picture.height(), grab.width(), grab.height());
    if (argc > 2 && !grab.save(QString::fromLocal8Bit(argv[2]), "PNG")) return 1;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite*/ 0);
    QApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--about-probe") == 0) return AboutProbe(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
