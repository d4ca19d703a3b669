#pragma once
// The version check: a borderless dialog on the program's logo that shows
// the version running and the newest one on our download server. From it
// the user downloads the new setup program (Update), asks for an upgrade by
// e-mail (Contact), or switches the check at start-up off.
#include "shell/LogoDialog.h"

#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QToolButton;

namespace qv {

// The upgrade request: the lines of the text file saved on the Desktop and
// in the Documents folder, the first one naming the address to send it to.
std::vector<std::string> UpgradeRequestLines(const std::string& Current, const std::string& Available);
// The request as a mail link: to SupportAddress, a subject, and BodyLines
// (the request's lines without the first) as the body, each preceded by an
// encoded line break "%0D%0A" (nothing else of the body is encoded).
std::string UpgradeRequestMailUrl(const std::vector<std::string>& BodyLines);
// The text file's name: ProgramName + "_UpgradeRequest.txt".
std::string UpgradeRequestFileName();

class TCheckVersionDlg : public TTranslateFormBasic {
public:
    explicit TCheckVersionDlg(QWidget* Parent = nullptr);

    // True when the automatic check is on, due (6 whole days since the last
    // successful one) and finds a newer version on the server.
    static bool UpgradeAvailable();
    // Shows the dialog modally over ParentForm (the main window when none),
    // after checking when AutoCheck is set; when the user chose Update,
    // then runs the download dialog with the new version, OpenDocuments and
    // UserInfo (the machine identifier). Returns true.
    static bool Execute(QWidget* ParentForm, bool AutoCheck, bool OpenDocuments, const std::string& UserInfo);

    bool RunUpdater() const { return fRunUpdater; }
    const std::string& NewVersion() const { return fNewVersion; }

    // The buttons.
    void SpeedButtonCheckClick();
    void SpeedButtonUpdateClick();
    void SpeedButtonWhatIsNewClick();
    void SpeedButtonContactClick();

    QLabel* Image1;
    QToolButton* SpeedButton1; // "X"
    QLabel *Label1, *LabelCurrentVersion, *Label2, *LabelLatestVersion;
    QToolButton* SpeedButtonCheck;
    QLabel* LabelConclusion;
    QToolButton *SpeedButtonUpdate, *SpeedButtonWhatIsNew, *SpeedButtonContact;
    QLabel* Label7; // an identity text; empty in this program
    QCheckBox* CheckBoxAutoUpgradeCheck;
    QLabel *LabelCheckUpgrade, *LabelViewer;

protected:
    void FormCreate() override;
    void showEvent(QShowEvent* Event) override;
    // Every way of closing (the "X", Esc, Update) keeps the check box as
    // the "Automatically" setting.
    void done(int Result) override;

private:
    bool fRunUpdater = false;
    std::string fNewVersion;
};

} // namespace qv
