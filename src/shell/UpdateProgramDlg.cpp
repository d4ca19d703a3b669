#include "shell/UpdateProgramDlg.h"

#include "platform/ProgramIdentity.h"
#include "shell/Translate.h"
#include "shell/UpdateHooks.h"
#include "update/UpdateCheck.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <climits>
#include <filesystem>

namespace qv {

int ProgressShift(int64_t Total)
{
    int shift = 0;
    while ((Total >> shift) > INT_MAX) ++shift;
    return shift;
}

TUpdateProgramDlg::TUpdateProgramDlg(QWidget* Parent)
    : TTranslateForm(Parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName("UpdateProgramDlg");
    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    ButtonStart = new QPushButton("Start Download...", this);
    ButtonStart->setObjectName("ButtonStart");
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setTextVisible(false);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    ButtonInstall = new QPushButton("Install...", this);
    ButtonInstall->setObjectName("ButtonInstall");
    Button2 = new QPushButton("Cancel", this);
    Button2->setObjectName("Button2");
    for (QPushButton* b : {ButtonStart, ButtonInstall, Button2}) b->setAutoDefault(false);

    connect(ButtonStart, &QPushButton::clicked, this, [this] { ButtonStartClick(); });
    connect(ButtonInstall, &QPushButton::clicked, this, [this] { ButtonInstallClick(); });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    // A fixed size: the placement kept between runs gives only its position.
    setFixedSize(ToDPI(535), ToDPI(143));
    FinishCreate();
}

void TUpdateProgramDlg::FormCreate()
{
    setWindowTitle(Translate("Upgrade") + " " + QString::fromStdString(ProgramName));
    Label2->move(ToDPI(16), ToDPI(8));
    Label2->resize(ToDPI(507), Label2->fontMetrics().height());
    ButtonStart->setGeometry(ToDPI(16), ToDPI(32), ToDPI(121), ToDPI(25));
    ProgressBar1->setGeometry(ToDPI(16), ToDPI(64), ToDPI(507), ToDPI(17));
    ProgressBar1->hide();
    Label1->move(ToDPI(16), ToDPI(88));
    Label1->resize(ToDPI(507), Label1->fontMetrics().height());
    Label1->hide();
    ButtonInstall->setGeometry(ToDPI(16), ToDPI(112), ToDPI(121), ToDPI(25));
    ButtonInstall->hide();
    Button2->setGeometry(ToDPI(447), ToDPI(112), ToDPI(75), ToDPI(25));
}

void TUpdateProgramDlg::SetRequest(const std::string& NewVersion, bool OpenDocuments, const std::string& UserInfo)
{
    fNewVersion = NewVersion;
    fOpenDocuments = OpenDocuments;
    fUserInfo = UserInfo;
}

void TUpdateProgramDlg::showEvent(QShowEvent* Event)
{
    TTranslateForm::showEvent(Event);
    // The first showing only: returning from a message box must not move
    // the focus back to the Start button, which is disabled by then.
    if (fShown) return;
    fShown = true;
    ButtonStart->setFocus();
    Label2->setText(Translate("Press Start to download") + " \"" + QString::fromStdString(ProgramName) + " " +
                    QString::fromStdString(fNewVersion) + "\"");
}

void TUpdateProgramDlg::ButtonStartClick()
{
    if (fDownloading || !ButtonStart->isEnabled()) return;
    if (fOpenDocuments &&
        UpdateHooks().MessageBox(this, QMessageBox::Warning,
                                 QString::fromStdString(ProgramName) + " " +
                                     Translate("will be closed automatically after starting the installation\r\n"
                                               "Please close/save all open documents before continuing!"),
                                 QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    ProgressBar1->show();
    Label2->setEnabled(false);
    ButtonStart->setEnabled(false);
    Button2->setEnabled(false);

    const std::string url = SetupDownloadUrl(fUserInfo);
    fSetupName = SetupFileName(fNewVersion);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(fSetupName).parent_path(), ec);

    TDownloadEvents events;
    events.OnWorkBegin = [this](int64_t total) {
        fProgressShift = ProgressShift(total);
        ProgressBar1->setMaximum(static_cast<int>(std::max<int64_t>(0, total) >> fProgressShift));
        ProgressBar1->setValue(0);
    };
    events.OnWork = [this](int64_t done) {
        const int value = static_cast<int>(std::clamp<int64_t>(done >> fProgressShift, 0, INT_MAX));
        // Beyond a maximum the server announced, the bar stays full.
        ProgressBar1->setValue(ProgressBar1->maximum() > 0 ? std::min(value, ProgressBar1->maximum()) : value);
    };
    fDownloading = true;
    const bool ok = DownloadToFile(url, fSetupName, events);
    fDownloading = false;

    if (ok) {
        ButtonInstall->show();
        Label1->show();
        ButtonInstall->setFocus();
        Label1->setText(Translate("Download Ready."));
    } else {
        ProgressBar1->hide();
        Label1->hide();
    }
    Button2->setEnabled(true);
}

void TUpdateProgramDlg::ButtonInstallClick()
{
    ButtonInstall->setEnabled(false);
    if (UpdateHooks().StartProgram(fSetupName, "/upgrade")) {
        UpdateHooks().EndProgram();
        return;
    }
    ShowError(this, FormatS(Translate("Cannot execute\r\n%s"), {QString::fromStdString(fSetupName)}));
}

void TUpdateProgramDlg::done(int Result)
{
    if (fDownloading) return; // the user cannot cancel a running download
    if (!ButtonInstall->isHidden())
        ShowInformation(this, Translate("The Setup Program can be found in:") + "\r\n\"" +
                                  QString::fromStdString(fSetupName) + "\".");
    TTranslateForm::done(Result);
}

bool TUpdateProgramDlg::Execute(QWidget* ParentForm, const std::string& NewVersion, bool OpenDocuments,
                                const std::string& UserInfo)
{
    InstallTransferIdleHandler();
    TUpdateProgramDlg dialog(DialogParent(ParentForm));
    dialog.SetRequest(NewVersion, OpenDocuments, UserInfo);
    dialog.exec();
    return true;
}

} // namespace qv
