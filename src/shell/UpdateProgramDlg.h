#pragma once
// The download of a new version's setup program: a small dialog that
// downloads it from our server with a progress bar, then offers to start
// it, which ends this program so that the setup can replace it.
//
// Ready (Start and Cancel) -> downloading (nothing can be pressed; the
// windows repaint) -> downloaded (Install and Cancel) or failed (Cancel).
#include "shell/TranslateForm.h"

#include <cstdint>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

namespace qv {

// A download's byte counts on a progress bar, whose values are ints: a
// total above 2^31 - 1 bytes is shown in units of 2^Shift bytes, so that
// the bar still runs from 0 to its end.
int ProgressShift(int64_t Total);

class TUpdateProgramDlg : public TTranslateForm {
public:
    explicit TUpdateProgramDlg(QWidget* Parent = nullptr);

    // Shows the dialog modally over ParentForm (the main window when none)
    // for the version NewVersion (such as "2022 build 46"). OpenDocuments:
    // warn before downloading that the program will be closed. UserInfo:
    // the machine identifier, sent with the request. Returns true.
    static bool Execute(QWidget* ParentForm, const std::string& NewVersion, bool OpenDocuments,
                        const std::string& UserInfo);
    // What Execute gives the dialog before showing it.
    void SetRequest(const std::string& NewVersion, bool OpenDocuments, const std::string& UserInfo);

    void ButtonStartClick();
    void ButtonInstallClick();
    // The setup program's full path, once a download has started.
    const std::string& SetupName() const { return fSetupName; }
    bool Downloading() const { return fDownloading; }

    QLabel* Label2;
    QPushButton* ButtonStart;
    QProgressBar* ProgressBar1;
    QLabel* Label1;
    QPushButton* ButtonInstall;
    QPushButton* Button2; // "Cancel"

protected:
    void FormCreate() override;
    void showEvent(QShowEvent* Event) override;
    // Closing (Cancel, Esc, the close button) is refused while the download
    // runs; after a download it says where the setup program is.
    void done(int Result) override;

private:
    std::string fNewVersion;
    std::string fSetupName;
    bool fOpenDocuments = false;
    std::string fUserInfo;
    bool fDownloading = false;
    bool fShown = false;
    int fProgressShift = 0;
};

} // namespace qv
