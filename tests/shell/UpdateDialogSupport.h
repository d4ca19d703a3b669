#pragma once
// What the update dialogs' tests share: the update's own world for each
// test (settings folders, home with Desktop and Documents, the server's
// address) and the dialogs' outside effects recorded instead of done:
// message boxes answered from a list, links and files "opened" into a
// list, the end of the program counted.
#include "shell/Translate.h"
#include "shell/UpdateHooks.h"
#include "testkit/LocalServers.h"
#include "testkit/TestFiles.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Texts in the tests' failure messages.
inline void PrintTo(const QString& Text, std::ostream* Out) { *Out << '"' << Text.toStdString() << '"'; }

namespace qv::test {

// A route of the local server at Path, answering 200 with an empty body
// until the test says otherwise.
inline TServedRoute RouteAt(const std::string& Path)
{
    TServedRoute route;
    route.Path = Path;
    return route;
}

struct TShownMessage {
    QMessageBox::Icon Icon;
    QString Text;
    QMessageBox::StandardButtons Buttons;
};

class UpdateDialogTest : public testing::Test {
protected:
    TClosedPort closedPort; // the server until a test names one: nothing answers
    std::unique_ptr<TUpdateTestEnvironment> world;
    std::string home;
    std::vector<TShownMessage> messages;
    std::deque<QMessageBox::StandardButton> answers; // for questions, in order
    std::vector<QString> opened;
    bool openSucceeds = true;
    int ended = 0;

    // The update's world pointing at Server (or at a URL, such as a closed
    // port). A home folder of its own holds the Desktop and Documents.
    // The previous world is gone first, so that it cannot restore the
    // variables the new one sets.
    void UseServer(const TLocalUpdateServer& Server)
    {
        world.reset();
        world = std::make_unique<TUpdateTestEnvironment>(Server);
        UseOwnHome();
    }
    void UseServer(const std::string& Url)
    {
        world.reset();
        world = std::make_unique<TUpdateTestEnvironment>(Url);
        UseOwnHome();
    }

    void SetUp() override
    {
        UseLanguage(TempPath("no-locale"));
        UseServer(closedPort.Url());
        TUpdateHooks& hooks = UpdateHooks();
        hooks.MessageBox = [this](QWidget*, QMessageBox::Icon icon, const QString& text,
                                  QMessageBox::StandardButtons buttons) {
            messages.push_back({icon, text, buttons});
            if (buttons == QMessageBox::Ok) return QMessageBox::Ok;
            if (answers.empty()) {
                ADD_FAILURE() << "a question nobody answers: " << text.toStdString();
                return QMessageBox::Cancel;
            }
            const QMessageBox::StandardButton answer = answers.front();
            answers.pop_front();
            return answer;
        };
        hooks.OpenDocument = [this](const QString& target) {
            opened.push_back(target);
            return openSucceeds;
        };
        hooks.EndProgram = [this] { ++ended; };
    }
    void TearDown() override
    {
        timers.clear();
        ResetUpdateHooks();
        world.reset();
    }

    // Runs Act once the next modal dialog is showing (Execute's dialogs),
    // and gives up quietly if none comes up within a few seconds (the test's
    // own checks then fail). The timers go with the test.
    void WhenModal(std::function<void(QWidget*)> Act)
    {
        auto* timer = timers.emplace_back(std::make_unique<QTimer>()).get();
        auto tries = std::make_shared<int>(0);
        QObject::connect(timer, &QTimer::timeout, [timer, tries, Act] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal && ++*tries < 500) return;
            timer->stop();
            if (modal) Act(modal);
        });
        timer->start(10);
    }

private:
    std::vector<std::unique_ptr<QTimer>> timers;
    void UseOwnHome()
    {
        home = world->Folder() + "/home";
        std::filesystem::create_directories(home);
        world->Env().Set("HOME", home);
    }
};

} // namespace qv::test
