#pragma once
// The program's application object and the user's view of messages: an
// exception that ends a command (a file that cannot be written, say) is
// shown in an error box and the program goes on; the messages of the lower
// layers (load warnings) appear as message boxes.
#include "core/Messages.h"

#include <QApplication>

class QWidget;

namespace qv {

class TViewerApplication : public QApplication {
public:
    TViewerApplication(int& argc, char** argv);
    // Runs the event; an exception escaping its handler becomes an error
    // message through ShowMessage.
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the core's messages in message boxes over Parent (information,
// warning, error; a confirmation as a question with OK).
class TMessageBoxHandler : public IMessageHandler {
public:
    explicit TMessageBoxHandler(QWidget* Parent) : fParent(Parent) {}
    void ShowMessage(TMessageKind kind, const std::string& text) override;

private:
    QWidget* fParent;
};

} // namespace qv
