#include "shell/DesignProgram.h"

#include "core/Text.h"
#include "core/TextCompare.h"
#include "platform/FileAssociation.h"
#include "platform/ProgramIdentity.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <filesystem>

namespace qv {

namespace {

// The field codes of a desktop entry's Exec line (%f a file, %U URLs ...):
// placeholders the desktop fills in, never part of the program.
bool IsFieldCode(std::string_view word)
{
    return word.size() == 2 && word[0] == '%' && std::string_view("fFuUdDnNickvm").find(word[1]) != std::string_view::npos;
}

std::string FirstWord(const std::string& commandLine)
{
    size_t p = 0;
    for (;;) {
        p = commandLine.find_first_not_of(" \t", p);
        if (p == std::string::npos) return {};
        const size_t end = std::min(commandLine.find_first_of(" \t", p), commandLine.size());
        const std::string word = commandLine.substr(p, end - p);
        if (!IsFieldCode(word)) return word;
        p = end;
    }
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

} // namespace

std::string DesignProgramFromCommandLine(const std::string& commandLine)
{
    if (!commandLine.empty() && commandLine[0] == '"') {
        const size_t close = commandLine.find('"', 1);
        std::string path = commandLine.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        path.erase(path.find_last_not_of(' ') + 1);
        return path;
    }
    // Upper-casing ASCII letters keeps every byte where it is.
    if (const size_t exe = AsciiUpper(commandLine).find(".EXE"); exe != std::string::npos)
        return commandLine.substr(0, exe + 4);
    return FirstWord(commandLine);
}

std::string ResolveDesignProgramPath(const TAskPath& askPath, const std::string& registeredCommandLine)
{
    std::string path = DesignProgramFromCommandLine(registeredCommandLine);
    // A desktop entry usually names its program without a folder.
    if (!path.empty() && path.find_first_of("/\\") == std::string::npos)
        if (std::string found = FindProgramInPath(path); !found.empty()) path = found;
    if (FileExists(path)) return path;
    if (!askPath) return {};
    return askPath("Path to " + ProgramName, "Enter the path to " + ProgramName + ":", path).value_or(std::string());
}

std::string ResolveDesignProgramPath(const TAskPath& askPath)
{
    return ResolveDesignProgramPath(askPath, RegisteredOpenCommandForMnf());
}

std::string PathMismatchQuestion(const std::string& currentPath, const std::string& registeredPath)
{
    // One line each; a message box breaks lines at "\n" only.
    return "The current path to " + ProgramName + "\n" + currentPath + "\n" +
           "is not equal to the path in the registry!" + "\n" + registeredPath + "\n" + "Is this correct?";
}

void OpenInDesignProgram(std::string& pathToQuorvane, const std::string& documentFileName,
                         const TResolveProgramPath& resolve, const TConfirm& confirm, const TStartProgram& start)
{
    if (documentFileName.empty()) return;
    if (pathToQuorvane.empty()) {
        pathToQuorvane = resolve();
    } else if (!SameTextNoCase(resolve(), pathToQuorvane)) {
        if (!confirm(PathMismatchQuestion(pathToQuorvane, resolve()))) pathToQuorvane = resolve();
    }
    if (!pathToQuorvane.empty()) start(pathToQuorvane, documentFileName);
}

TAskPath AskPathWithInputBox(QWidget* parent)
{
    return [parent](const std::string& caption, const std::string& prompt,
                    const std::string& initial) -> std::optional<std::string> {
        bool ok = false;
        const QString text = QInputDialog::getText(parent, QString::fromStdString(caption),
                                                   QString::fromStdString(prompt), QLineEdit::Normal,
                                                   QString::fromStdString(initial), &ok);
        if (!ok) return std::nullopt;
        return text.toStdString();
    };
}

TConfirm ConfirmWithMessageBox(QWidget* parent)
{
    return [parent](const std::string& question) {
        return QMessageBox::question(parent, "Confirm", QString::fromStdString(question),
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
}

void StartDesignProgram(const std::string& program, const std::string& fileName)
{
    QProcess::startDetached(QString::fromStdString(program), {QString::fromStdString(fileName)});
}

} // namespace qv
