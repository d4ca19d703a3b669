// Renders the logo drawing into the logo pictures of every density, at
// build time: qv-render-logo SVG OUTDIR writes OUTDIR/MAINLOGO_<suffix>.png
// at the sizes of the density table. Exit status 0, 1 when the drawing
// cannot be read or a picture cannot be written, 2 for usage errors.
#include "shell/LogoDensities.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: qv-render-logo SVG OUTDIR\n", stderr);
        return 2;
    }
    // The drawing's texts need the font machinery, not a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "qv-render-logo: cannot read the drawing \"%s\"\n", argv[1]);
        return 1;
    }
    for (const qv::TLogoDensity& d : qv::kLogoDensities) {
        // 24-bit pictures: the logo is opaque.
        QImage image(d.Width, d.Height, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
            svg.render(&painter, QRectF(0, 0, d.Width, d.Height));
        }
        const QString out =
            QString::fromLocal8Bit(argv[2]) + "/" + QString::fromStdString(qv::LogoResourceName(d)) + ".png";
        if (!image.convertToFormat(QImage::Format_RGB888).save(out, "PNG")) {
            std::fprintf(stderr, "qv-render-logo: cannot write \"%s\"\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
