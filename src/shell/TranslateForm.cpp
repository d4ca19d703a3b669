#include "shell/TranslateForm.h"

#include "platform/SettingsFolders.h"
#include "shell/SaveWindows.h"
#include "shell/Translate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMetaProperty>
#include <QRadioButton>
#include <QTabWidget>

#include <algorithm>
#include <cstdlib>

namespace qv {

namespace {

int gDpiOverride = 0;

// The string properties that hold texts the user reads.
constexpr const char* kTextProperties[] = {
    "windowTitle",    "text",           "title",    "toolTip", "statusTip",
    "whatsThis",      "placeholderText", "iconText", "accessibleName", "accessibleDescription",
    "prefix",         "suffix",          "specialValueText"};

bool IsTextProperty(const char* name)
{
    for (const char* p : kTextProperties)
        if (qstrcmp(p, name) == 0) return true;
    return false;
}

bool IsIgnored(const QObject* o)
{
    return qobject_cast<const QLineEdit*>(o) || qobject_cast<const QMenu*>(o) || qobject_cast<const QMenuBar*>(o);
}

void TranslateProperties(QObject* o)
{
    const QMetaObject* meta = o->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        if (p.typeId() != QMetaType::QString || !p.isWritable() || !IsTextProperty(p.name())) continue;
        const QString text = p.read(o).toString();
        if (text.isEmpty()) continue;
        const QString translated = Translate(text);
        if (translated != text) p.write(o, translated);
    }
}

void TranslateItems(QObject* o)
{
    if (auto* combo = qobject_cast<QComboBox*>(o)) {
        for (int i = 0; i < combo->count(); ++i) combo->setItemText(i, Translate(combo->itemText(i)));
    } else if (auto* tabs = qobject_cast<QTabWidget*>(o)) {
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setTabText(i, Translate(tabs->tabText(i)));
            tabs->setTabToolTip(i, Translate(tabs->tabToolTip(i)));
        }
    }
}

void TranslateTree(QObject* o)
{
    if (IsIgnored(o)) return;
    TranslateProperties(o);
    TranslateItems(o);
    for (QObject* child : o->children()) TranslateTree(child);
}

// A caption as shown: "&&" is an ampersand, a single "&" marks the
// mnemonic and takes no room.
QString ShownCaption(const QString& caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (++i == caption.size()) break;
        }
        shown += caption[i];
    }
    return shown;
}

// Check boxes and radio buttons take the width of their caption plus the
// 18 design pixels the box and its gap take on the desktop the dialogs were
// designed on; where Qt's style needs more for box, gap and margins, the
// width is what the style needs, so the caption is never cut.
void WidenButtons(QWidget* window, int extra)
{
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (!qobject_cast<QCheckBox*>(b) && !qobject_cast<QRadioButton*>(b)) continue;
        const int width = std::max(b->fontMetrics().horizontalAdvance(ShownCaption(b->text())) + extra,
                                   b->sizeHint().width());
        b->setMinimumWidth(width);
        b->resize(width, b->height());
    }
}

} // namespace

int ToDPI(int P, int Dpi)
{
    const long long n = static_cast<long long>(P) * Dpi;
    long long q = n / 96;
    const long long r = n % 96; // has the sign of n
    if (2 * std::llabs(r) >= 96) q += n < 0 ? -1 : 1;
    return static_cast<int>(q);
}

int WindowDpi(const QWidget* Form)
{
    if (gDpiOverride > 0) return gDpiOverride;
    return Form ? Form->logicalDpiY() : 96;
}

void SetDpiOverride(int Dpi) { gDpiOverride = Dpi > 0 ? Dpi : 0; }

void TranslateComponents(QWidget* Window)
{
    if (Window) TranslateTree(Window);
}

// --- TTranslateFormBasic ---------------------------------------------------------

TTranslateFormBasic::TTranslateFormBasic(QWidget* Parent, Qt::WindowFlags Flags) : QDialog(Parent, Flags) {}

int TTranslateFormBasic::ToDPI(int P) const { return qv::ToDPI(P, GetDpi()); }

std::string TTranslateFormBasic::GetIniFileName() const { return MainSettingsFile(); }

std::string TTranslateFormBasic::GetIniFileSection() const { return WindowSection(this); }

void TTranslateFormBasic::FinishCreate()
{
    TranslateComponents(this);
    SetSystemIconFont(this);
    WidenButtons(this, ToDPI(18));
    FormCreate();
}

// --- TTranslateForm --------------------------------------------------------------

TTranslateForm::TTranslateForm(QWidget* Parent, Qt::WindowFlags Flags) : TTranslateFormBasic(Parent, Flags) {}

TTranslateForm::~TTranslateForm() = default; // freeing fSaveWindow saves the placement

void TTranslateForm::FinishCreate()
{
    const bool mainForm = objectName().toUpper().contains("MAINFORM");
    fSaveWindow = std::make_unique<TSaveWindowNew>(WindowPosFile(), this, mainForm ? FullScreen : NoFullScreen);
    TTranslateFormBasic::FinishCreate();
}

} // namespace qv
