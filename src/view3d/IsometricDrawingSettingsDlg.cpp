#include "view3d/IsometricDrawingSettingsDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qv {

namespace {

// The switches in flag order: control name and caption.
struct TSwitch { const char* Name; const char* Caption; };
constexpr TSwitch Switches[] = {
    {"CheckBoxFaceNumbers", "Face Numbers"},   {"CheckBoxHoleNumbers", "Hole Numbers"},
    {"CheckBoxShowManifold", "Show Manifold"}, {"CheckBoxPerspective", "Perspective"},
    {"CheckBoxAxis", "Show Axis"},             {"CheckBoxContinuousOrbit", "Continuous Orbit"},
    {"CheckBoxUseColors", "Use Colors"},       {"CheckBoxShowThread", "ShowThread"},
    {"CheckBoxTransparent", "Transparent"},    {"CheckBoxContours", "Contours"},
    {"CheckBoxFilledCylinders", "Filled Cylinders"}, {"CheckBoxShowPorts", "Show Ports"},
    {"CheckBoxHoleTexts", "Hole Texts"},       {"CheckBoxPlugs", "Plugs"},
    {"CheckBoxItemNumbers", "Item Numbers"},   {"CheckBoxDummyHoles", "Dummy Holes"},
    {"CheckBoxRotationCenter", "Rotation Center"},
};

// Edits that take opacities (0..1); the darkening factor also takes "-".
constexpr const char* OpacityEdits[] = {"EditGroupAlpha", "EditTransparencyHoles",
                                        "EditTransparencyThreadTransparentHole", "EditTransparencyThread"};
constexpr const char* FactorEdit = "EditGroupFactor";
constexpr const char* IntegerEdits[] = {"EditTextHeightFactor", "EditErrorIndicatorFactor"};
// Colour edit and its swatch.
struct TColorControls { const char* Edit; const char* Image; };
constexpr TColorControls ColorControls[] = {{"EditBackgroundColor", "ImageBackgroundColor"},
                                            {"EditSelectColor", "ImageSelectColor"},
                                            {"EditThreadColor", "ImageThreadColor"}};

template <class W> W* Named(W* w, const char* name)
{
    w->setObjectName(name);
    return w;
}

QLabel* NewLabel(const char* name, const QString& text) { return Named(new QLabel(text), name); }

QLineEdit* NewEdit(const char* name)
{
    auto* edit = Named(new QLineEdit, name);
    edit->setFixedWidth(64);
    return edit;
}

void SetEditEnabled(QLineEdit* edit, bool enabled)
{
    edit->setEnabled(enabled);
    // The button-face colour marks a disabled edit, the window colour an
    // enabled one.
    QPalette palette = edit->palette();
    const QPalette& app = QApplication::palette();
    palette.setColor(QPalette::Base, enabled ? app.color(QPalette::Base) : app.color(QPalette::Button));
    edit->setPalette(palette);
}

bool IsOneOf(const QString& name, const auto& names)
{
    return std::any_of(std::begin(names), std::end(names), [&](const char* n) { return name == n; });
}

} // namespace

TIsometricDrawingSettingsDlg::TIsometricDrawingSettingsDlg(TIsometricDrawingSettings& settings, QWidget* parent)
    : QDialog(parent), fSettings(settings)
{
    setObjectName("IsometricDrawingSettingsDlg");
    setWindowTitle("Isometric View Settings");
    // The dialogs of the program use the system's icon font.
    const QFont system = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    QFont dialogFont = font();
    dialogFont.setFamily(system.family());
    if (system.pointSizeF() > 0) dialogFont.setPointSizeF(system.pointSizeF());
    setFont(dialogFont);

    AskYesNo = [this](const QString& question) {
        return QMessageBox::question(this, "Confirm", question, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    };
    ChooseColor = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor c = QColorDialog::getColor(initial, this);
        if (!c.isValid()) return std::nullopt;
        return c;
    };

    // Switches: the seventeen flags in their order.
    auto* switches = Named(new QGroupBox("Switches"), "GroupBoxSwitches");
    auto* switchesLayout = new QVBoxLayout(switches);
    for (const TSwitch& s : Switches) {
        auto* box = Named(new QCheckBox(s.Caption), s.Name);
        switchesLayout->addWidget(box);
    }
    switchesLayout->addStretch();
    // Stored only; nothing draws by it.
    switches->findChild<QCheckBox*>("CheckBoxUseColors")->setEnabled(false);

    // Misc: the two factors with up-down buttons.
    auto* misc = Named(new QGroupBox("Misc"), "GroupBoxMisc");
    auto* miscLayout = new QGridLayout(misc);
    const struct { const char* Label; const char* Text; const char* Edit; const char* UpDown; } factors[] = {
        {"LabelTextHeightFactor", "Text height factor:", "EditTextHeightFactor", "UpDownTextHeightFactor"},
        {"LabelErrorIndicatorFactor", "Error indicator factor:", "EditErrorIndicatorFactor",
         "UpDownErrorIndicatorFactor"}};
    for (int row = 0; row < 2; ++row) {
        auto* label = NewLabel(factors[row].Label, factors[row].Text);
        auto* edit = NewEdit(factors[row].Edit);
        label->setBuddy(edit);
        auto* upDown = Named(new QWidget, factors[row].UpDown);
        auto* upDownLayout = new QVBoxLayout(upDown);
        upDownLayout->setContentsMargins(0, 0, 0, 0);
        upDownLayout->setSpacing(0);
        const struct { const char* Name; Qt::ArrowType Arrow; int Delta; } buttons[] = {
            {"Up", Qt::UpArrow, 1}, {"Down", Qt::DownArrow, -1}};
        for (const auto& b : buttons) {
            auto* button = Named(new QToolButton, b.Name);
            button->setArrowType(b.Arrow);
            button->setAutoRepeat(true);
            button->setFixedSize(16, 11);
            button->setFocusPolicy(Qt::NoFocus);
            button->setAccessibleName(QString(b.Name) + " " + factors[row].Text);
            connect(button, &QToolButton::clicked, this, [this, edit, d = b.Delta] { StepFactor(edit, d); });
            upDownLayout->addWidget(button);
        }
        auto* editWithButtons = new QHBoxLayout;
        editWithButtons->setSpacing(0);
        editWithButtons->addWidget(edit);
        editWithButtons->addWidget(upDown);
        editWithButtons->addStretch();
        miscLayout->addWidget(label, row, 0);
        miscLayout->addLayout(editWithButtons, row, 1);
    }

    // How objects outside the chosen groups look.
    auto* visibility = Named(new QGroupBox("Visibility not selected Objects"), "GroupBoxVisibility");
    auto* visibilityLayout = new QGridLayout(visibility);
    visibilityLayout->addWidget(NewLabel("LabelNote1", "Effects objects that are in not the selected groups,"), 0, 0, 1, 3);
    visibilityLayout->addWidget(NewLabel("LabelNote2", "if \"hide not selected\" is turned off."), 1, 0, 1, 3);
    auto* transparent = Named(new QCheckBox("Show objects transparent"), "CheckBoxGroupTransparent");
    visibilityLayout->addWidget(transparent, 2, 0, 1, 3);
    const struct { const char* Label; const char* Text; const char* Edit; const char* Note; const char* NoteText; } dark[] = {
        {"LabelGroupAlpha", "Percentage Transparency:", "EditGroupAlpha", "LabelGroupAlphaNote",
         "0..1 = full transparant..solid"},
        {"LabelGroupFactor", "Factor to make darker:", "EditGroupFactor", "LabelGroupFactorNote",
         "-1..2 = darker..lighter"}};
    for (int i = 0; i < 2; ++i) {
        auto* label = NewLabel(dark[i].Label, dark[i].Text);
        auto* edit = NewEdit(dark[i].Edit);
        label->setBuddy(edit);
        visibilityLayout->addWidget(label, 3 + i, 0);
        visibilityLayout->addWidget(edit, 3 + i, 1);
        visibilityLayout->addWidget(NewLabel(dark[i].Note, dark[i].NoteText), 3 + i, 2);
    }
    connect(transparent, &QCheckBox::clicked, this, [this] { UpdateEnabledStates(); });

    // Colours and opacities.
    auto* colors = Named(new QGroupBox("Colors/Transparency"), "GroupBoxColors");
    auto* colorsLayout = new QGridLayout(colors);
    const char* colorLabels[][2] = {{"LabelBackgroundColor", "Background:"},
                                    {"LabelSelectColor", "Select Color:"},
                                    {"LabelThreadColor", "Thread Color:"}};
    int row = 0;
    for (int i = 0; i < 3; ++i, ++row) {
        auto* label = NewLabel(colorLabels[i][0], colorLabels[i][1]);
        auto* edit = NewEdit(ColorControls[i].Edit);
        edit->setReadOnly(true);
        edit->setCursor(Qt::PointingHandCursor);
        edit->installEventFilter(this);
        label->setBuddy(edit);
        auto* image = NewLabel(ColorControls[i].Image, QString());
        image->setFixedSize(20, 20);
        image->setCursor(Qt::PointingHandCursor);
        image->installEventFilter(this);
        colorsLayout->addWidget(label, row, 0);
        colorsLayout->addWidget(edit, row, 1);
        colorsLayout->addWidget(image, row, 2);
    }
    const char* opacities[][4] = {
        {"LabelTransparencyHoles", "Transparency Holes:", "EditTransparencyHoles", nullptr},
        {"LabelTransparencyThreadTransparentHole", "Transparency Thread:", "EditTransparencyThreadTransparentHole",
         "for transparent holes"},
        {"LabelTransparencyThread", "Transparency Thread:", "EditTransparencyThread", "for solid holes"}};
    for (const auto& o : opacities) {
        auto* label = NewLabel(o[0], o[1]);
        auto* edit = NewEdit(o[2]);
        label->setBuddy(edit);
        colorsLayout->addWidget(label, row, 0);
        colorsLayout->addWidget(edit, row, 1);
        if (o[3]) colorsLayout->addWidget(NewLabel((QString(o[0]) + "Note").toLatin1().constData(), o[3]), row, 2, 1, 2);
        ++row;
    }
    colorsLayout->setColumnStretch(3, 1);

    // Buttons: Reset on the left, OK (the default) and Cancel on the right.
    auto* reset = Named(new QPushButton("Reset"), "ButtonReset");
    auto* ok = Named(new QPushButton("OK"), "ButtonOK");
    auto* cancel = Named(new QPushButton("Cancel"), "ButtonCancel");
    ok->setDefault(true);
    connect(reset, &QPushButton::clicked, this, [this] { ResetClick(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reset);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* right = new QVBoxLayout;
    right->addWidget(misc);
    right->addWidget(visibility);
    right->addWidget(colors);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addWidget(switches);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    // The number edits filter their keys (once all controls are the dialog's).
    for (const char* name : OpacityEdits) findChild<QLineEdit*>(name)->installEventFilter(this);
    findChild<QLineEdit*>(FactorEdit)->installEventFilter(this);
    for (const char* name : IntegerEdits) findChild<QLineEdit*>(name)->installEventFilter(this);
}

void TIsometricDrawingSettingsDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (fShown) return; // coming back from the colour dialog keeps what the user changed
    fShown = true;
    fSettings.ToDialog(this);
    UpdateEnabledStates();
}

void TIsometricDrawingSettingsDlg::UpdateEnabledStates()
{
    const bool transparent = findChild<QCheckBox*>("CheckBoxGroupTransparent")->isChecked();
    for (const char* name : {"EditGroupAlpha", "LabelGroupAlpha", "LabelGroupAlphaNote"}) {
        QWidget* w = findChild<QWidget*>(name);
        if (auto* edit = qobject_cast<QLineEdit*>(w)) SetEditEnabled(edit, transparent);
        else w->setEnabled(transparent);
    }
    for (const char* name : {"EditGroupFactor", "LabelGroupFactor", "LabelGroupFactorNote"}) {
        QWidget* w = findChild<QWidget*>(name);
        if (auto* edit = qobject_cast<QLineEdit*>(w)) SetEditEnabled(edit, !transparent);
        else w->setEnabled(!transparent);
    }
}

void TIsometricDrawingSettingsDlg::ResetClick()
{
    if (!AskYesNo || !AskYesNo("Reset to default values?")) return;
    TIsometricDrawingSettings().ToDialog(this);
    UpdateEnabledStates();
}

void TIsometricDrawingSettingsDlg::ColorClick(QLineEdit* edit)
{
    if (!ChooseColor) return;
    const std::string name = edit->objectName().toStdString();
    // The edit shows a name or "$" and digits; what does not parse keeps
    // the settings' own colour.
    TIsometricDrawingSettings current;
    current.Assign(fSettings);
    current.FromDialog(edit);
    TColor color = 0;
    if (name == "EditBackgroundColor") color = current.fData.BackgroundColor;
    else if (name == "EditSelectColor") color = current.fData.SelectColor;
    else color = current.fData.ThreadColor;
    const std::optional<QColor> chosen = ChooseColor(ColorToQColor(color));
    if (!chosen || !chosen->isValid()) return;
    const TColor picked = QColorToColor(*chosen);
    edit->setText(QString::fromStdString(ColorToText(picked)));
    for (const TColorControls& c : ColorControls)
        if (edit->objectName() == c.Edit) PaintColorSwatch(findChild<QLabel*>(c.Image), picked);
}

void TIsometricDrawingSettingsDlg::accept()
{
    fSettings.FromDialog(this);
    QDialog::accept();
}

void TIsometricDrawingSettingsDlg::StepFactor(QLineEdit* edit, int delta)
{
    const int value = EditTextToInt(edit->text().toStdString(), FactorMin);
    const int next = std::clamp(std::clamp(value, FactorMin, FactorMax) + delta, FactorMin, FactorMax);
    edit->setText(QString::number(next));
}

bool TIsometricDrawingSettingsDlg::FilterNumberKey(QLineEdit* edit, QKeyEvent* key, bool allowMinus)
{
    const QString text = key->text();
    // Keys without a character (arrows, Delete, Home ...) edit as usual;
    // so do backspace, the dialog's keys and the editing short-cuts (Ctrl+C,
    // Ctrl+V: what is pasted is read like typed text, a non-number keeps
    // the old value).
    if (text.isEmpty() || key->modifiers().testFlag(Qt::ControlModifier)) return false;
    switch (key->key()) {
    case Qt::Key_Backspace: case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_Escape:
    case Qt::Key_Tab: case Qt::Key_Backtab: case Qt::Key_Delete:
        return false;
    default:
        break;
    }
    if (text.size() != 1) return true;
    const QChar c = text[0];
    if (c >= '0' && c <= '9') return false;
    if (allowMinus && c == '-') return false;
    const QString separator = QLocale().decimalPoint();
    if (c == ',' || c == '.' || separator == c) {
        // Either key gives the user's separator, and only one of it: the
        // text holds none yet, or all of it is about to be replaced.
        const bool wholeSelected = edit->hasSelectedText() && edit->selectedText() == edit->text();
        if (!edit->text().contains(separator) || wholeSelected) edit->insert(separator);
    }
    return true;
}

bool TIsometricDrawingSettingsDlg::eventFilter(QObject* watched, QEvent* event)
{
    const QString name = watched->objectName();
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (!edit) return false;
        if (IsOneOf(name, OpacityEdits) || name == FactorEdit) return FilterNumberKey(edit, key, name == FactorEdit);
        if (IsOneOf(name, IntegerEdits) && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            StepFactor(edit, key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
        // A colour edit takes no typing; the space bar opens its colour
        // dialog, as a click does.
        if (edit->isReadOnly() && key->key() == Qt::Key_Space) {
            ColorClick(edit);
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (mouse->button() != Qt::LeftButton || !widget || !widget->rect().contains(mouse->position().toPoint()))
            return false;
        for (const TColorControls& c : ColorControls)
            if (name == c.Edit || name == c.Image) {
                ColorClick(findChild<QLineEdit*>(c.Edit));
                return false;
            }
    }
    return false;
}

} // namespace qv
