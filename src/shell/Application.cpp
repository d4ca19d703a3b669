#include "shell/Application.h"

#include "platform/ProgramIdentity.h"
#include "shell/Translate.h"

#include <QMessageBox>

#include <exception>

namespace qv {

TViewerApplication::TViewerApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TViewerApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        qv::ShowMessage(TMessageKind::Error, e.what());
    } catch (...) {
        qv::ShowMessage(TMessageKind::Error, "An unknown error ended the command.");
    }
    return true;
}

void TMessageBoxHandler::ShowMessage(TMessageKind kind, const std::string& text)
{
    // A fixed sentence has its entry in the message catalogue; a text made
    // up of parts (a file name, say) has none and is shown as it is.
    const QString title = QString::fromStdString(ProgramName), t = Translate(QString::fromStdString(text));
    switch (kind) {
    case TMessageKind::Information: QMessageBox::information(fParent, title, t); break;
    case TMessageKind::Warning: QMessageBox::warning(fParent, title, t); break;
    case TMessageKind::Error: QMessageBox::critical(fParent, title, t); break;
    case TMessageKind::Confirmation: QMessageBox::question(fParent, title, t, QMessageBox::StandardButtons(QMessageBox::Ok)); break;
    }
}

} // namespace qv
