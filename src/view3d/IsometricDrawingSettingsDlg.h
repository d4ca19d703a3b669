#pragma once
// The dialog behind "More...": every view setting in one modal window.
// Its controls carry the names the settings' ToDialog/FromDialog match, so
// the dialog shows the settings by ToDialog on itself and takes them with
// FromDialog when closed with OK; Cancel leaves the settings alone.
#include "view3d/IsometricDrawingSettings.h"

#include <QColor>
#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class QKeyEvent;
class QLineEdit;

namespace qv {

class TIsometricDrawingSettingsDlg : public QDialog {
public:
    // The range of the up-down buttons of the two factor edits. A text
    // height factor counts thousandths of the block's length, so 1000
    // makes a label as high as the block is long: more is never useful.
    // Typed numbers are not limited.
    static constexpr int FactorMin = 1;
    static constexpr int FactorMax = 1000;

    explicit TIsometricDrawingSettingsDlg(TIsometricDrawingSettings& settings, QWidget* parent = nullptr);

    // The questions the dialog asks, replaceable (tests answer them without
    // a modal box). AskYesNo: true for Yes. ChooseColor: the chosen colour,
    // nothing on Cancel.
    std::function<bool(const QString& question)> AskYesNo;
    std::function<std::optional<QColor>(const QColor& initial)> ChooseColor;

    // The alpha edit and its labels enabled only while "Show objects
    // transparent" is ticked, the factor edit and its labels only while it
    // is not; a disabled edit in the button-face colour.
    void UpdateEnabledStates();
    // "Reset": after a Yes the controls show the default settings (taken
    // only with OK).
    void ResetClick();
    // A click on a colour edit or its swatch: the colour dialog on the
    // edit's colour; on OK the edit and the swatch show the new colour.
    void ColorClick(QLineEdit* edit);

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool FilterNumberKey(QLineEdit* edit, QKeyEvent* key, bool allowMinus);
    void StepFactor(QLineEdit* edit, int delta);

    TIsometricDrawingSettings& fSettings;
    bool fShown = false;
};

} // namespace qv
