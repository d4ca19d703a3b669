#pragma once
// Handing the open manifold file over to the design program (Open In
// Quorvane...): finding the program through the desktop's association of
// ".mnf" files, asking the user for its path when that finds no program,
// and starting it with the file.
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace qv {

// Asks for a path in an input box: caption, prompt and the initial text;
// the entered text on OK, nothing on Cancel.
using TAskPath = std::function<std::optional<std::string>(const std::string& caption, const std::string& prompt,
                                                          const std::string& initial)>;
// Finds the design program's path, maybe asking the user (empty: none).
using TResolveProgramPath = std::function<std::string()>;
// Asks a question with Yes and No; true for Yes.
using TConfirm = std::function<bool(const std::string& question)>;
// Starts a program with one file name as its argument.
using TStartProgram = std::function<void(const std::string& program, const std::string& fileName)>;

// The program path in a registered "open" command line: the text between
// the first two double quotes (trailing blanks removed) when the line
// begins with one, else the text up to and including the first ".EXE" in
// any letter case, else (a desktop entry's Exec line) its first word that
// is no field code such as %f or %U.
std::string DesignProgramFromCommandLine(const std::string& commandLine);

// The path of the design program: the program of the command line the
// desktop registers for ".mnf" files (RegisteredOpenCommandForMnf); a bare
// program name is looked up through PATH. When no file exists there, the
// user is asked (caption "Path to " + ProgramName, prompt "Enter the path
// to " + ProgramName + ":", the found path as the initial text); Cancel
// gives an empty path.
std::string ResolveDesignProgramPath(const TAskPath& askPath);
// The same from a given registered command line.
std::string ResolveDesignProgramPath(const TAskPath& askPath, const std::string& registeredCommandLine);

// The question when the remembered path differs from the registered one.
std::string PathMismatchQuestion(const std::string& currentPath, const std::string& registeredPath);

// Open In Quorvane...: without a remembered path, remember the resolved
// one; with one that differs from a fresh resolution (letter case aside),
// ask whether it is correct and on No take a new resolution. Then, with a
// path, start the program with the document's file name. Each resolution
// runs the whole lookup again and may ask for the path again. A document
// without a file name starts nothing.
void OpenInDesignProgram(std::string& pathToQuorvane, const std::string& documentFileName,
                         const TResolveProgramPath& resolve, const TConfirm& confirm, const TStartProgram& start);

// The Qt pieces the main window passes: an input box, a Yes/No message box,
// and a detached start of the program (the file name is passed as one
// argument, so blanks in it need no quotes; whether the start succeeds is
// not checked).
TAskPath AskPathWithInputBox(QWidget* parent);
TConfirm ConfirmWithMessageBox(QWidget* parent);
void StartDesignProgram(const std::string& program, const std::string& fileName);

} // namespace qv
