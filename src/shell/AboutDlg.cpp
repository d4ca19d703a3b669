#include "shell/AboutDlg.h"

#include "platform/ProgramIdentity.h"
#include "shell/ResourceLoader.h"

#include <QLabel>
#include <QScreen>
#include <QToolButton>

#include <algorithm>

namespace qv {

namespace {

// The dialog was designed in Tahoma, which Debian does not have. Liberation
// Sans (fonts-liberation) is the free sans-serif we install; it runs a
// little wider than Tahoma at the same pixel size, and the corner texts
// have the room.
constexpr const char* kFontFamily = "Liberation Sans";

// A font of the design's family, PixelSize design pixels high.
QFont DesignFont(const TTranslateFormBasic& form, int PixelSize, bool Bold = false)
{
    QFont font(kFontFamily);
    font.setPixelSize(std::max(1, form.ToDPI(PixelSize)));
    font.setBold(Bold);
    return font;
}

void SetTextColor(QWidget* w, QColor color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::ButtonText, color);
    w->setPalette(p);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text = {})
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

TAboutDlg::TAboutDlg(QWidget* Parent) : TTranslateFormBasic(Parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName("AboutDlg");
    setWindowTitle("About"); // not shown on the borderless window; the desktop's task list and screen readers use it
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(128, 128, 128)); // grey behind the picture
    setPalette(p);

    Image1 = MakeLabel(this, "Image1");
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setText("X");
    SpeedButton1->setToolTip("Close");
    SpeedButton1->setAutoRaise(true); // flat
    SpeedButton1->setCursor(Qt::PointingHandCursor);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    connect(SpeedButton1, &QToolButton::clicked, this, &QDialog::reject);
    Label6 = MakeLabel(this, "Label6");
    Label7 = MakeLabel(this, "Label7");
    LabelYear = MakeLabel(this, "LabelYear");
    LabelViewer = MakeLabel(this, "LabelViewer", "Viewer");

    FinishCreate();
}

void TAboutDlg::FormCreate()
{
    ResourceLoader().AssignMainLogo(this, Image1);

    Label6->setText(QString::fromStdString(ProgramName + " " + ProgramYear + " build " + ProgramBuild));
    Label7->setText(QString());
    LabelYear->setText(QString::fromStdString(ProgramYear));

    SpeedButton1->setFont(DesignFont(*this, 16, true));
    Label6->setFont(DesignFont(*this, 11));
    Label7->setFont(DesignFont(*this, 11));
    LabelYear->setFont(DesignFont(*this, 64));
    LabelViewer->setFont(DesignFont(*this, 32));
    for (QLabel* l : {Label6, Label7, LabelYear, LabelViewer}) l->adjustSize();
    SpeedButton1->resize(ToDPI(24), ToDPI(24));

    // The client area is the picture; the button and the corner texts sit
    // in from its edges.
    Image1->move(0, 0);
    Image1->show();
    const QSize client = Image1->size();
    setFixedSize(client);
    SpeedButton1->move(client.width() - ToDPI(4) - SpeedButton1->width(), ToDPI(4));
    Label6->move(client.width() - ToDPI(8) - Label6->width(), client.height() - ToDPI(4) - Label6->height());
    Label7->move(ToDPI(8), Label6->y());
    LabelYear->move(ToDPI(400), ToDPI(86));
    LabelYear->hide();
    LabelViewer->move(ToDPI(480), ToDPI(150));
    LabelViewer->setVisible(IsViewer);

    const QColor text = QColor::fromRgb(kTextColor);
    for (QWidget* w : {static_cast<QWidget*>(SpeedButton1), static_cast<QWidget*>(Label6),
                       static_cast<QWidget*>(Label7), static_cast<QWidget*>(LabelViewer)})
        SetTextColor(w, text);
    SetTextColor(LabelYear, QColor(128, 128, 128));
}

void TAboutDlg::showEvent(QShowEvent* Event)
{
    // Centred on the screen the dialog is on.
    if (const QScreen* s = screen()) move(s->geometry().center() - QPoint(width() / 2, height() / 2));
    TTranslateFormBasic::showEvent(Event);
}

bool TAboutDlg::Execute(QWidget* Parent)
{
    TAboutDlg dialog(Parent);
    dialog.exec();
    return true;
}

} // namespace qv
