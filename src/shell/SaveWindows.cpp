#include "shell/SaveWindows.h"

#include "core/Messages.h"
#include "platform/IniFiles.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

#include <filesystem>

namespace qv {

namespace {

TScreenRect ToRect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

// A window the user can resize: its minimum and maximum sizes differ.
bool IsResizable(const QWidget* form)
{
    return form->minimumSize() != form->maximumSize() && !form->windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint);
}

void ReportSaveError(const std::exception& e) { ShowMessage(TMessageKind::Error, e.what()); }

} // namespace

void SetSystemIconFont(QWidget* Widget)
{
    const QFont system = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    QFont font = Widget->font();
    font.setFamily(system.family());
    if (system.pointSizeF() > 0) font.setPointSizeF(system.pointSizeF());
    else if (system.pixelSize() > 0) font.setPixelSize(system.pixelSize());
    Widget->setFont(font);
}

std::vector<TScreenRect> MonitorRects()
{
    std::vector<TScreenRect> result;
    for (const QScreen* screen : QGuiApplication::screens()) result.push_back(ToRect(screen->geometry()));
    return result;
}

TScreenRect PrimaryScreenRect()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? ToRect(screen->geometry()) : TScreenRect{};
}

std::string WindowSection(const QWidget* form)
{
    const QString name = form->objectName();
    return (name.isEmpty() ? QString::fromLatin1(form->metaObject()->className()) : name).toStdString();
}

void RestoreWindowPlacement(QWidget* form, const std::string& iniFileName, const std::string& section,
                            TWindowToFullScreen mode)
{
    if (!form) return;
    std::error_code ec;
    const bool exists = std::filesystem::exists(iniFileName, ec);
    TWindowPlacement stored;
    if (exists) {
        const TIniFile ini(iniFileName);
        stored = ReadWindowPlacement(ini, section);
    }
    const TRestoreAction action = DecideRestore(exists, stored, mode, MonitorRects(), PrimaryScreenRect());
    const TScreenRect& b = action.Bounds;
    const Qt::WindowStates normal =
        form->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    switch (action.Kind) {
    case TRestoreAction::Keep:
        break;
    case TRestoreAction::Default:
        form->move(b.Left, b.Top);
        form->resize(b.Width, b.Height);
        form->setWindowState(normal);
        break;
    case TRestoreAction::Normal:
        // An explicit position also keeps a dialog from being centred on
        // its parent when shown.
        form->move(b.Left, b.Top);
        if (IsResizable(form)) form->resize(b.Width, b.Height);
        form->setWindowState(normal);
        break;
    case TRestoreAction::Maximized:
        form->move(b.Left, b.Top);
        form->resize(b.Width, b.Height);
        form->setWindowState(normal | Qt::WindowMaximized);
        break;
    }
}

void SaveWindowPlacement(QWidget* form, const std::string& iniFileName, const std::string& section)
{
    if (!form) return;
    TWindowPlacement p;
    const Qt::WindowStates state = form->windowState();
    p.State = state.testFlag(Qt::WindowMinimized) ? wsMinimized
              : state.testFlag(Qt::WindowMaximized) ? wsMaximized
                                                    : wsNormal;
    // For a maximised window these are its maximised bounds.
    p.Left = form->pos().x();
    p.Top = form->pos().y();
    p.Width = form->width();
    p.Height = form->height();
    // Read the file now, not when the window was created: other windows may
    // have saved their sections meanwhile.
    TIniFile ini(iniFileName);
    WriteWindowPlacement(ini, section, p);
    ini.UpdateFile();
}

// --- TSaveWindow ---------------------------------------------------------------

TSaveWindow::TSaveWindow(std::string AIniFileName, QWidget* AForm, TWindowToFullScreen AMode, QWidget* FontOf,
                         bool UseWithRibbon)
    : FIniFileName(std::move(AIniFileName)), FForm(AForm), FMode(AMode), fUseWithRibbon(UseWithRibbon)
{
    if (FontOf) SetSystemIconFont(FontOf);
    if (AForm) FSection = WindowSection(AForm);
    Restore();
}

TSaveWindow::~TSaveWindow()
{
    try {
        Save();
    } catch (const std::exception& e) {
        ReportSaveError(e);
    }
}

void TSaveWindow::Restore() { RestoreWindowPlacement(FForm, FIniFileName, FSection, FMode); }

void TSaveWindow::Save() { SaveWindowPlacement(FForm, FIniFileName, FSection); }

// --- TSaveWindowNew ------------------------------------------------------------

TSaveWindowNew::TSaveWindowNew(std::string IniFileName, QWidget* Form, TWindowToFullScreen Mode)
    : fIniFileName(std::move(IniFileName)), fForm(Form), FMode(Mode)
{
    if (Form) fSection = WindowSection(Form);
    Restore();
}

TSaveWindowNew::~TSaveWindowNew()
{
    try {
        Save();
    } catch (const std::exception& e) {
        ReportSaveError(e);
    }
}

void TSaveWindowNew::Restore() { RestoreWindowPlacement(fForm, fIniFileName, fSection, FMode); }

void TSaveWindowNew::Save() { SaveWindowPlacement(fForm, fIniFileName, fSection); }

} // namespace qv
