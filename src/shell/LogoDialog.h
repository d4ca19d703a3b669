#pragma once
// What the borderless logo dialogs (About, the version check) share: the
// design's font at a scaled pixel size, the texts' colour, flat buttons
// with a hand cursor, the grey behind the picture, centring on the screen.
#include "shell/TranslateForm.h"

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>

class QLabel;
class QToolButton;
class QWidget;

namespace qv {

// The texts' colour on the logo, red 70, green 70, blue 79.
inline constexpr QRgb kLogoTextColor = 0x46464F;

// A font of the design's family, PixelSize design pixels high at Form's
// density. The dialogs were designed in Tahoma, which Debian does not have;
// Liberation Sans (fonts-liberation) is the free sans-serif we install. It
// runs a little wider than Tahoma at the same pixel size, and the texts on
// the logo have the room.
QFont DesignFont(const TTranslateFormBasic& Form, int PixelSize, bool Bold = false, bool Underline = false);
void SetTextColor(QWidget* Widget, QColor Color);
QLabel* MakeLabel(QWidget* Parent, const char* Name, const QString& Text = {});
// A flat button (raised only under the mouse) with a hand cursor that takes
// no keyboard focus.
QToolButton* MakeFlatButton(QWidget* Parent, const char* Name, const QString& Text);
// A borderless dialog over a medium grey, for the picture to lie on.
void UseLogoBackground(QWidget* Dialog);
// The client area is the logo: Image at the top left, the dialog exactly as
// large, the close button in the top right corner 4 design pixels in.
// Returns the client size.
QSize FitToLogo(TTranslateFormBasic& Form, QLabel* Image, QWidget* CloseButton);
// Centres Window on the screen it is on.
void CentreOnScreen(QWidget* Window);

} // namespace qv
