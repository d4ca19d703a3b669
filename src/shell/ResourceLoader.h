#pragma once
// The pictures kept inside the program: the logo, in one size per screen
// density (shell/LogoDensities.h), under the Qt resource names
// ":/logo/MAINLOGO_096" ... ":/logo/MAINLOGO_288".
#include <QImage>
#include <QString>

class QLabel;
class QWidget;

namespace qv {

class TResourceLoader {
public:
    // Puts the logo for Form's density into Image (as its pixmap; Image
    // takes the picture's size). The density is Form's dots per inch
    // (WindowDpi) times its device pixel ratio, so a scaled desktop gets the
    // sharper picture, shown at the design size. When there is no such
    // picture, Image shows a placeholder of the same size: white with a
    // black one-pixel frame and both diagonals.
    void AssignMainLogo(const QWidget* Form, QLabel* Image);

    // The placeholder picture, Width x Height pixels, 24 bits.
    static QImage Placeholder(int Width, int Height);

    // For tests: where the pictures are looked up (":/logo/" in the
    // program); a prefix without pictures makes every lookup fail.
    static void SetResourcePrefix(const QString& Prefix);
    static QString ResourcePrefix();
};

// The one loader of the program, made on first use.
TResourceLoader& ResourceLoader();

} // namespace qv
