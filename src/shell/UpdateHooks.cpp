#include "shell/UpdateHooks.h"

#include "platform/ProgramIdentity.h"
#include "platform/StartProgram.h"
#include "update/UpdateCheck.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMainWindow>
#include <QThread>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace qv {

namespace {

TUpdateHooks DefaultHooks()
{
    TUpdateHooks h;
    h.MessageBox = [](QWidget* parent, QMessageBox::Icon icon, const QString& text,
                      QMessageBox::StandardButtons buttons) {
        // The texts keep Windows line breaks (they are the catalogue's
        // keys); a label shows "\n".
        QString shown = text;
        shown.replace("\r\n", "\n");
        QMessageBox box(icon, QString::fromStdString(ProgramName), shown, buttons, parent);
        const int answer = box.exec();
        return static_cast<QMessageBox::StandardButton>(answer);
    };
    h.OpenDocument = [](const QString& target) {
        const QUrl url = target.startsWith('/') ? QUrl::fromLocalFile(target) : QUrl(target, QUrl::TolerantMode);
        return QDesktopServices::openUrl(url);
    };
    h.StartProgram = [](const std::string& file, const std::string& parameters) {
        return qv::StartProgram(file, parameters);
    };
    h.EndProgram = [] {
        std::fflush(nullptr);
        std::_Exit(0);
    };
    return h;
}

} // namespace

TUpdateHooks& UpdateHooks()
{
    static TUpdateHooks hooks = DefaultHooks();
    return hooks;
}

void ResetUpdateHooks() { UpdateHooks() = DefaultHooks(); }

QMessageBox::StandardButton AskUser(QWidget* Parent, const QString& Text, QMessageBox::StandardButtons Buttons)
{
    return UpdateHooks().MessageBox(Parent, QMessageBox::Question, Text, Buttons);
}

void ShowInformation(QWidget* Parent, const QString& Text)
{
    UpdateHooks().MessageBox(Parent, QMessageBox::Information, Text, QMessageBox::Ok);
}

void ShowError(QWidget* Parent, const QString& Text)
{
    UpdateHooks().MessageBox(Parent, QMessageBox::Critical, Text, QMessageBox::Ok);
}

QString FormatS(const QString& Format, std::initializer_list<QString> Args)
{
    QString out;
    auto arg = Args.begin();
    for (qsizetype i = 0; i < Format.size(); ++i) {
        if (Format[i] == '%' && i + 1 < Format.size() && Format[i + 1] == 's' && arg != Args.end()) {
            out += *arg++;
            ++i;
        } else {
            out += Format[i];
        }
    }
    return out;
}

QWidget* DialogParent(QWidget* ParentForm)
{
    if (ParentForm) return ParentForm;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(w)) return w;
    return nullptr;
}

void InstallTransferIdleHandler()
{
    static bool installed = false;
    if (installed) return;
    installed = true;
    SetTransferIdleHandler([] {
        static bool running = false;
        const QCoreApplication* app = QCoreApplication::instance();
        if (running || !app || QThread::currentThread() != app->thread()) return;
        struct TRunning {
            TRunning() { running = true; }
            ~TRunning() { running = false; }
        } guard;
        // Everything pending, user input included: the main window stays
        // usable during the automatic check, and a dialog's buttons are
        // disabled while its own transfer runs. Objects deleted later are
        // not freed here (Qt frees them only in the loop that asked), so
        // nothing the transfer's caller holds goes away under it.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    });
}

TWaitCursor::TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
TWaitCursor::~TWaitCursor() { QApplication::restoreOverrideCursor(); }

} // namespace qv
