#pragma once
// Help > About: a borderless dialog showing the program's logo with the
// program's name, year and build in its bottom right corner and the word
// "Viewer" over the logo. Esc or the "X" in the top right corner closes it.
#include "shell/LogoDialog.h"

class QLabel;
class QToolButton;

namespace qv {

class TAboutDlg : public TTranslateFormBasic {
public:
    explicit TAboutDlg(QWidget* Parent = nullptr);

    // Shows the dialog modally over Parent and returns true when it is
    // closed.
    static bool Execute(QWidget* Parent = nullptr);

    QLabel* Image1;
    QToolButton* SpeedButton1;
    QLabel* Label6;    // "QuorvaneViewer 2022 build 45", bottom right
    QLabel* Label7;    // an identity text, bottom left; empty in this program
    QLabel* LabelYear; // the year in large type; kept hidden
    QLabel* LabelViewer;

    // The texts' colour, red 70, green 70, blue 79.
    static constexpr QRgb kTextColor = kLogoTextColor;

protected:
    void FormCreate() override;
    void showEvent(QShowEvent* Event) override;
};

} // namespace qv
