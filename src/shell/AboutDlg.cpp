#include "shell/AboutDlg.h"

#include "platform/ProgramIdentity.h"
#include "shell/LogoDialog.h"
#include "shell/ResourceLoader.h"

#include <QLabel>
#include <QToolButton>

namespace qv {

TAboutDlg::TAboutDlg(QWidget* Parent) : TTranslateFormBasic(Parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName("AboutDlg");
    setWindowTitle("About"); // not shown on the borderless window; the desktop's task list and screen readers use it
    UseLogoBackground(this);

    Image1 = MakeLabel(this, "Image1");
    SpeedButton1 = MakeFlatButton(this, "SpeedButton1", "X");
    SpeedButton1->setToolTip("Close");
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
    const QSize client = FitToLogo(*this, Image1, SpeedButton1);
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
    CentreOnScreen(this);
    TTranslateFormBasic::showEvent(Event);
}

bool TAboutDlg::Execute(QWidget* Parent)
{
    TAboutDlg dialog(Parent);
    dialog.exec();
    return true;
}

} // namespace qv
