#pragma once
// What the update dialogs do outside themselves: message boxes, opening a
// mail link or a file with the desktop's program, starting the setup
// program and ending this one. Each is a replaceable function, so that the
// program's tests answer the questions instead of a person and never start
// a mail program, a browser or a setup, nor end the test program.
//
// And the repainting during a transfer: the version check and the download
// run on the user-interface thread; the update library calls back at least
// every 50 ms while it waits on the network, and the shell lets the
// window's pending events run there.
#include <QMessageBox>
#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace qv {

struct TUpdateHooks {
    // A message box over Parent with Icon, Text (line breaks written as
    // "\r\n") and Buttons; returns the button chosen (Cancel or No when the
    // box is closed otherwise).
    std::function<QMessageBox::StandardButton(QWidget* Parent, QMessageBox::Icon Icon, const QString& Text,
                                              QMessageBox::StandardButtons Buttons)>
        MessageBox;
    // Opens a URL ("mailto:...") or a file (an absolute path) with the
    // desktop's program for it; false when there is none or it fails.
    std::function<bool(const QString& UrlOrFile)> OpenDocument;
    // Starts a program with one parameter; false when it did not start.
    std::function<bool(const std::string& File, const std::string& Parameters)> StartProgram;
    // Ends this program at once: no closing step of the main window, no
    // settings written, no destructors run. Only the standard streams are
    // flushed. The default is std::_Exit(0).
    std::function<void()> EndProgram;
};

// The functions in use; tests put their own in and call ResetUpdateHooks
// after.
TUpdateHooks& UpdateHooks();
void ResetUpdateHooks();

// Shorthands over UpdateHooks().MessageBox.
QMessageBox::StandardButton AskUser(QWidget* Parent, const QString& Text, QMessageBox::StandardButtons Buttons);
void ShowInformation(QWidget* Parent, const QString& Text);
void ShowError(QWidget* Parent, const QString& Text);

// Format with each "%s" replaced by the next of Args, in order (a "%s"
// beyond the arguments stays as it is).
QString FormatS(const QString& Format, std::initializer_list<QString> Args);

// The window an update dialog stays above: ParentForm, or the main window
// when none is given.
QWidget* DialogParent(QWidget* ParentForm);

// Sets the update library's idle handler (once; later calls do nothing): it
// lets Qt's pending events of the user-interface thread run, so the windows
// repaint and timers run during a transfer. Not nested: a transfer started
// from such an event (the windows disable the commands that would) waits
// without letting events run. Called on any other thread it does nothing.
void InstallTransferIdleHandler();

// The wait cursor over the whole program while it exists.
class TWaitCursor {
public:
    TWaitCursor();
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

} // namespace qv
