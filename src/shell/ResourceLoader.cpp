#include "shell/ResourceLoader.h"

#include "shell/LogoDensities.h"
#include "shell/TranslateForm.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <cmath>

namespace qv {

namespace {

QString gPrefix = QStringLiteral(":/logo/");

} // namespace

TResourceLoader& ResourceLoader()
{
    static TResourceLoader loader;
    return loader;
}

void TResourceLoader::SetResourcePrefix(const QString& Prefix) { gPrefix = Prefix; }

QString TResourceLoader::ResourcePrefix() { return gPrefix; }

QImage TResourceLoader::Placeholder(int Width, int Height)
{
    QImage image(std::max(Width, 1), std::max(Height, 1), QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 0)); // one pixel, not antialiased
    const int r = image.width() - 1, b = image.height() - 1;
    painter.drawRect(0, 0, r, b);
    painter.drawLine(0, 0, r, b);
    painter.drawLine(0, b, r, 0);
    return image;
}

void TResourceLoader::AssignMainLogo(const QWidget* Form, QLabel* Image)
{
    const qreal ratio = Form ? Form->devicePixelRatioF() : 1.0;
    // The density in device pixels: the window's dots per inch as the
    // desktop scales them.
    const int dpi = static_cast<int>(std::lround(WindowDpi(Form) * ratio));
    const TLogoDensity& density = LogoDensityFor(dpi);
    QPixmap picture(gPrefix + QString::fromStdString(LogoResourceName(density)));
    if (picture.isNull()) picture = QPixmap::fromImage(Placeholder(ToDPI(650, dpi), ToDPI(350, dpi)));
    picture.setDevicePixelRatio(ratio);
    Image->setPixmap(picture);
    Image->resize(picture.deviceIndependentSize().toSize());
}

} // namespace qv
