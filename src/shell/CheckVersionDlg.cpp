#include "shell/CheckVersionDlg.h"

#include "core/Encoding.h"
#include "platform/ProgramIdentity.h"
#include "platform/SettingsFolders.h"
#include "shell/ResourceLoader.h"
#include "shell/Translate.h"
#include "shell/UpdateHooks.h"
#include "shell/UpdateProgramDlg.h"
#include "update/UpdateCheck.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QToolButton>
#include <QUrl>

#include <filesystem>
#include <fstream>

namespace qv {

namespace {

const std::string kHyphens(26, '-');

std::string LocalVersion() { return ProgramYear + " build " + ProgramBuild; }

// Saves Lines as the design program's text files are saved: Windows line
// ends after every line, the Western 8-bit code page. Throws on failure.
void SaveLines(const std::string& FileName, const std::vector<std::string>& Lines)
{
    std::string bytes;
    for (const std::string& line : Lines) bytes += Utf8ToAnsi(line) + "\r\n";
    std::ofstream out(FileName, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error(
            FormatS(Translate("Cannot create file \"%s\"."), {QString::fromStdString(FileName)}).toStdString());
}

// A folder for the request file: the folder must exist to write into it.
std::string Existing(std::string Folder)
{
    std::error_code ec;
    std::filesystem::create_directories(Folder, ec);
    return Folder;
}

} // namespace

std::vector<std::string> UpgradeRequestLines(const std::string& Current, const std::string& Available)
{
    return {"Mail To: " + SupportAddress,
            "Request upgrade link for " + ProgramName,
            kHyphens,
            "Current:   " + Current,
            "Available: " + Available,
            kHyphens,
            kHyphens};
}

std::string UpgradeRequestMailUrl(const std::vector<std::string>& BodyLines)
{
    std::string url = "mailto:" + SupportAddress + "?Subject=" + ProgramName + " upgrade Request" + "&Body=";
    for (const std::string& line : BodyLines) url += "%0D%0A" + line;
    return url;
}

std::string UpgradeRequestFileName() { return ProgramName + "_UpgradeRequest" + ".txt"; }

TCheckVersionDlg::TCheckVersionDlg(QWidget* Parent) : TTranslateFormBasic(Parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName("CheckVersionDlg");
    setWindowTitle(QString::fromStdString(ProgramName)); // for the task list; the dialog has no title bar
    UseLogoBackground(this);

    Image1 = MakeLabel(this, "Image1");
    SpeedButton1 = MakeFlatButton(this, "SpeedButton1", "X");
    SpeedButton1->setToolTip("Close");
    Label1 = MakeLabel(this, "Label1", "Current Version:");
    LabelCurrentVersion = MakeLabel(this, "LabelCurrentVersion");
    Label2 = MakeLabel(this, "Label2", "Latest Version:");
    LabelLatestVersion = MakeLabel(this, "LabelLatestVersion");
    SpeedButtonCheck = MakeFlatButton(this, "SpeedButtonCheck", "Check Now");
    LabelConclusion = MakeLabel(this, "LabelConclusion");
    SpeedButtonUpdate = MakeFlatButton(this, "SpeedButtonUpdate", "Update");
    SpeedButtonWhatIsNew = MakeFlatButton(this, "SpeedButtonWhatIsNew", "What is new...");
    SpeedButtonContact = MakeFlatButton(this, "SpeedButtonContact", "Contact");
    Label7 = MakeLabel(this, "Label7");
    CheckBoxAutoUpgradeCheck = new QCheckBox(this);
    CheckBoxAutoUpgradeCheck->setObjectName("CheckBoxAutoUpgradeCheck");
    CheckBoxAutoUpgradeCheck->resize(14, 14);
    LabelCheckUpgrade = MakeLabel(this, "LabelCheckUpgrade", "Check for upgrades automatically");
    LabelViewer = MakeLabel(this, "LabelViewer", "Viewer");

    connect(SpeedButton1, &QToolButton::clicked, this, &QDialog::reject);
    connect(SpeedButtonCheck, &QToolButton::clicked, this, [this] { SpeedButtonCheckClick(); });
    connect(SpeedButtonUpdate, &QToolButton::clicked, this, [this] { SpeedButtonUpdateClick(); });
    connect(SpeedButtonWhatIsNew, &QToolButton::clicked, this, [this] { SpeedButtonWhatIsNewClick(); });
    connect(SpeedButtonContact, &QToolButton::clicked, this, [this] { SpeedButtonContactClick(); });

    FinishCreate();
}

void TCheckVersionDlg::FormCreate()
{
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(UpgradeSettingsFileName()).parent_path(), ec);
    ResourceLoader().AssignMainLogo(this, Image1);
    fRunUpdater = false;
    Label7->setText(QString());
    LabelLatestVersion->setText(Translate("Not checked."));
    LabelCurrentVersion->setText(QString::fromStdString(LocalVersion()));
    CheckBoxAutoUpgradeCheck->setChecked(LoadUpgradeSettings().Automatically);

    // Fonts, then sizes: a label's size follows its text in its font.
    SpeedButton1->setFont(DesignFont(*this, 17, true));
    for (QLabel* l : {Label1, LabelCurrentVersion, Label2, LabelLatestVersion, LabelConclusion, Label7, LabelCheckUpgrade})
        l->setFont(DesignFont(*this, 11));
    SpeedButtonCheck->setFont(DesignFont(*this, 17, true, true));
    SpeedButtonUpdate->setFont(DesignFont(*this, 19, true, true));
    SpeedButtonWhatIsNew->setFont(DesignFont(*this, 17, false, true));
    SpeedButtonContact->setFont(DesignFont(*this, 17, false, true));
    LabelViewer->setFont(DesignFont(*this, 32));
    for (QLabel* l : {Label1, LabelCurrentVersion, Label2, LabelLatestVersion, LabelCheckUpgrade, LabelViewer})
        l->adjustSize();
    // Texts set later (the result of a check) get a label as wide as the
    // logo leaves room for.
    Label7->resize(ToDPI(300), Label7->fontMetrics().height());
    SpeedButton1->resize(ToDPI(24), ToDPI(24));
    SpeedButtonCheck->resize(ToDPI(117), ToDPI(25));
    SpeedButtonUpdate->resize(ToDPI(129), ToDPI(33));
    SpeedButtonWhatIsNew->resize(ToDPI(121), ToDPI(33));
    SpeedButtonContact->resize(ToDPI(129), ToDPI(25));

    // The client area is the logo.
    const QSize client = FitToLogo(*this, Image1, SpeedButton1);
    Label7->move(ToDPI(8), client.height() - ToDPI(4) - Label7->height());
    CheckBoxAutoUpgradeCheck->move(client.width() - ToDPI(8) - CheckBoxAutoUpgradeCheck->width(), Label7->y());
    LabelCheckUpgrade->move(CheckBoxAutoUpgradeCheck->x() - ToDPI(8) - LabelCheckUpgrade->width(), Label7->y());
    Label1->move(ToDPI(26), ToDPI(192));
    LabelCurrentVersion->move(ToDPI(114), ToDPI(192));
    Label2->move(ToDPI(26), ToDPI(208));
    LabelLatestVersion->move(ToDPI(114), ToDPI(208));
    SpeedButtonCheck->move(ToDPI(16), ToDPI(232));
    LabelConclusion->move(ToDPI(26), ToDPI(232));
    LabelConclusion->resize(ToDPI(400), LabelConclusion->fontMetrics().height());
    LabelConclusion->hide();
    SpeedButtonUpdate->move(ToDPI(24), ToDPI(256));
    SpeedButtonUpdate->hide();
    SpeedButtonWhatIsNew->move(ToDPI(160), ToDPI(256));
    SpeedButtonWhatIsNew->hide();
    SpeedButtonContact->move(ToDPI(24), ToDPI(296));
    SpeedButtonContact->hide();
    LabelViewer->move(ToDPI(480), ToDPI(150));
    LabelViewer->setVisible(IsViewer);

    const QColor text = QColor::fromRgb(kLogoTextColor);
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != Image1) SetTextColor(w, text);
}

void TCheckVersionDlg::showEvent(QShowEvent* Event)
{
    CentreOnScreen(this);
    TTranslateFormBasic::showEvent(Event);
}

void TCheckVersionDlg::done(int Result)
{
    try {
        SaveAutomatically(CheckBoxAutoUpgradeCheck->isChecked());
    } catch (const std::exception& e) {
        ShowError(this, QString::fromStdString(e.what())); // the settings file cannot be written; closes all the same
    }
    TTranslateFormBasic::done(Result);
}

void TCheckVersionDlg::SpeedButtonCheckClick()
{
    // The check lets the window's events run while it waits on the server:
    // a second click must not start a second check.
    if (!SpeedButtonCheck->isEnabled()) return;
    SpeedButtonCheck->setEnabled(false);
    std::string version, build;
    bool newer;
    {
        const TWaitCursor wait;
        newer = CheckForNewerVersion(VersionFileUrl(), ProgramYear, ProgramBuild, version, build);
    }
    const bool answered = build.find('?') == std::string::npos;
    LabelLatestVersion->setText(answered ? QString::fromStdString(version + " build " + build)
                                         : Translate("Error: Internet access is most likely blocked."));
    LabelLatestVersion->adjustSize();
    if (newer) {
        LabelConclusion->setText(Translate("A new version is available."));
        SpeedButtonContact->show();
        SpeedButtonUpdate->show();
        SpeedButtonWhatIsNew->setVisible(!WhatsNewUrl.empty());
    } else if (answered) {
        LabelConclusion->setText(Translate("You have the latest version."));
    } else {
        LabelConclusion->setText(Translate("Unable to check for new version."));
    }
    SpeedButtonCheck->hide();
    LabelConclusion->show();
}

void TCheckVersionDlg::SpeedButtonUpdateClick()
{
    fRunUpdater = true;
    fNewVersion = LabelLatestVersion->text().toStdString();
    accept();
}

void TCheckVersionDlg::SpeedButtonWhatIsNewClick()
{
    const std::string file = DownloadsFolder() + ProgramName + " - What is New.pdf";
    bool fetched;
    {
        const TWaitCursor wait;
        std::error_code ec;
        std::filesystem::create_directories(DownloadsFolder(), ec);
        std::filesystem::remove(file, ec);
        // A document, not a version file: fetched with the download's size
        // bound, not the version file's 64 KiB.
        const std::string url = QUrl(QString::fromStdString(WhatsNewUrl), QUrl::TolerantMode).toEncoded().toStdString();
        fetched = DownloadToFile(url, file, {});
    }
    if (!fetched)
        ShowError(this, Translate("Cannot download information"));
    else if (!UpdateHooks().OpenDocument(QString::fromStdString(file)))
        ShowError(this, FormatS(Translate("Cannot open %s !"), {QString::fromStdString(file)}));
}

void TCheckVersionDlg::SpeedButtonContactClick()
{
    const QMessageBox::StandardButton answer =
        AskUser(this, Translate("Do you wish create an upgrade Request E-Mail automatically?"),
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer != QMessageBox::Yes && answer != QMessageBox::No) return;

    std::vector<std::string> lines =
        UpgradeRequestLines(LabelCurrentVersion->text().toStdString(), LabelLatestVersion->text().toStdString());
    const std::string name = UpgradeRequestFileName();
    const std::string desktopFolder = DesktopFolder();
    const std::string desktopCopy = desktopFolder + name;
    try {
        if (desktopFolder.empty()) throw EFolderError("Could not find Desktop folder location.");
        SaveLines(Existing(desktopFolder) + name, lines);
        const std::string documentsCopy = Existing(DocumentsFolder()) + name;
        std::error_code ec;
        std::filesystem::remove(documentsCopy, ec);
        SaveLines(documentsCopy, lines);
    } catch (const std::exception& e) {
        ShowError(this, Translate(QString::fromStdString(e.what())));
        return;
    }
    lines.erase(lines.begin()); // the "Mail To: " line

    const QString qName = QString::fromStdString(name), address = QString::fromStdString(SupportAddress);
    const QString whereItIs = "\r\n" + Translate("The text file can be found on the Desktop.");
    if (answer == QMessageBox::Yes) {
        ShowInformation(this, FormatS(Translate("Your E-Mail program will now be started.\r\nIf not, then please "
                                                "send the text file\r\n\"%s\" to %s"),
                                      {qName, address}) +
                                  whereItIs);
        if (UpdateHooks().OpenDocument(QString::fromStdString(UpgradeRequestMailUrl(lines)))) return;
        ShowInformation(this,
                        FormatS(Translate("Cannot create E-Mail, please send the text file\r\n\"%s\" to %s"),
                                {qName, address}) +
                            whereItIs);
    } else {
        ShowInformation(this, FormatS(Translate("Please send the text file\r\n\"%s\" to %s"), {qName, address}) +
                                  whereItIs);
    }
    if (AskUser(this, Translate("Do you wish to view the text file?"), QMessageBox::Yes | QMessageBox::No) ==
            QMessageBox::Yes &&
        !UpdateHooks().OpenDocument(QString::fromStdString(desktopCopy)))
        ShowError(this, FormatS(Translate("Cannot open %s !"), {QString::fromStdString(desktopCopy)}));
}

bool TCheckVersionDlg::UpgradeAvailable()
{
    InstallTransferIdleHandler();
    const TWaitCursor wait;
    return qv::UpgradeAvailable();
}

bool TCheckVersionDlg::Execute(QWidget* ParentForm, bool AutoCheck, bool OpenDocuments, const std::string& UserInfo)
{
    InstallTransferIdleHandler();
    bool runUpdater;
    std::string newVersion;
    {
        const QPointer<QWidget> parent = DialogParent(ParentForm);
        const bool parentShown = parent && parent->isVisible();
        TCheckVersionDlg dialog(parent);
        if (AutoCheck) {
            dialog.SpeedButtonCheckClick();
            // The window's events ran during the check: a main window closed
            // meanwhile gets no dialog after it.
            if (parentShown && (!parent || !parent->isVisible())) return true;
        }
        dialog.exec();
        runUpdater = dialog.RunUpdater();
        newVersion = dialog.NewVersion();
    }
    if (runUpdater) TUpdateProgramDlg::Execute(ParentForm, newVersion, OpenDocuments, UserInfo);
    return true;
}

} // namespace qv
