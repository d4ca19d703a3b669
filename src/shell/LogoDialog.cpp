#include "shell/LogoDialog.h"

#include <QLabel>
#include <QScreen>
#include <QToolButton>

#include <algorithm>

namespace qv {

namespace {
constexpr const char* kFontFamily = "Liberation Sans";
}

QSize FitToLogo(TTranslateFormBasic& Form, QLabel* Image, QWidget* CloseButton)
{
    Image->move(0, 0);
    Image->show();
    const QSize client = Image->size();
    Form.setFixedSize(client);
    CloseButton->move(client.width() - Form.ToDPI(4) - CloseButton->width(), Form.ToDPI(4));
    return client;
}

QFont DesignFont(const TTranslateFormBasic& Form, int PixelSize, bool Bold, bool Underline)
{
    QFont font(kFontFamily);
    font.setPixelSize(std::max(1, Form.ToDPI(PixelSize)));
    font.setBold(Bold);
    font.setUnderline(Underline);
    return font;
}

void SetTextColor(QWidget* Widget, QColor Color)
{
    QPalette p = Widget->palette();
    p.setColor(QPalette::WindowText, Color);
    p.setColor(QPalette::ButtonText, Color);
    Widget->setPalette(p);
}

QLabel* MakeLabel(QWidget* Parent, const char* Name, const QString& Text)
{
    auto* label = new QLabel(Text, Parent);
    label->setObjectName(Name);
    return label;
}

QToolButton* MakeFlatButton(QWidget* Parent, const char* Name, const QString& Text)
{
    auto* button = new QToolButton(Parent);
    button->setObjectName(Name);
    button->setText(Text);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void UseLogoBackground(QWidget* Dialog)
{
    Dialog->setAutoFillBackground(true);
    QPalette p = Dialog->palette();
    p.setColor(QPalette::Window, QColor(128, 128, 128));
    Dialog->setPalette(p);
}

void CentreOnScreen(QWidget* Window)
{
    if (const QScreen* s = Window->screen())
        Window->move(s->geometry().center() - QPoint(Window->width() / 2, Window->height() / 2));
}

} // namespace qv
