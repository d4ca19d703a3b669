#include "shell/MainForm.h"

#include "document/Manifolds.h"
#include "platform/MachineId.h"
#include "platform/MainSettings.h"
#include "platform/ProgramIdentity.h"
#include "platform/SettingsFolders.h"
#include "platform/SpnavSource.h"
#include "shell/AboutDlg.h"
#include "shell/CategoryPanel.h"
#include "shell/CheckVersionDlg.h"
#include "shell/Export.h"
#include "shell/MainFormIcons.h"
#include "shell/SaveWindows.h"
#include "shell/StatusTexts.h"
#include "shell/UpdateHooks.h"
#include "shell/ViewOptions.h"
#include "view3d/DisplayModes.h"
#include "view3d/scene/GLSceneViewer.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <filesystem>

namespace qv {

namespace {

std::string UpperExt(const std::string& FileName)
{
    std::string e = std::filesystem::path(FileName).extension().string();
    for (char& c : e) c = char(std::toupper(static_cast<unsigned char>(c)));
    return e;
}

// A file's folder without a trailing separator.
QString FolderOf(const std::string& FileName)
{
    return QString::fromStdString(std::filesystem::absolute(FileName).parent_path().string());
}

// The ten "Settings" check boxes, top to bottom.
struct TSettingsBox { const char* Name; const char* Caption; };
constexpr TSettingsBox kSettingsBoxes[] = {
    {"CheckBoxFaceNumbers", "&Face Numbers"}, {"CheckBoxHoleNumbers", "H&ole Numbers"},
    {"CheckBoxShowManifold", "Show &Manifold"}, {"CheckBoxShowThread", "Show &Thread"},
    {"CheckBoxContours", "Contour&s"},         {"CheckBoxShowPorts", "Show &Ports"},
    {"CheckBoxHoleTexts", "Hole Text"},        {"CheckBoxPlugs", "Plugs"},
    {"CheckBoxItemNumbers", "Item Numbers"},   {"CheckBoxDummyHoles", "Dummy Holes"},
};

// Design widths of the status panels; panel 0 takes what the others leave.
constexpr int kStatusWidths[7] = {50, 80, 80, 80, 60, 130, 100};

QString Caption(const QString& text) { return QString(text).remove('&'); }

} // namespace

TMainForm::TMainForm(std::vector<std::string> Arguments, QWidget* Parent)
    : QMainWindow(Parent), fArguments(std::move(Arguments)), FManifold(std::make_unique<TManifold>()),
      fView(fIsoSettings), fNavigator(fView), fMessages(this)
{
    fPreviousMessages = SetMessageHandler(&fMessages);
    setObjectName("MainForm");
    setWindowTitle(QString::fromStdString(ProgramName));
    setAcceptDrops(true);

    CreateActions();
    CreateMenu();
    CreateToolBar();
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    GLSceneViewer1 = new scene::TGLSceneViewer(central);
    GLSceneViewer1->setObjectName("GLSceneViewer1");
    GLSceneViewer1->setAccessibleName("3D view");
    GLSceneViewer1->SetScene(&fView.Scene());
    GLSceneViewer1->SetCamera(fView.GLCamera1());
    GLSceneViewer1->setMouseTracking(true); // moves with only a key held update the orbit speed
    GLSceneViewer1->installEventFilter(this);
    row->addWidget(GLSceneViewer1, 1);
    row->addWidget(CreateOptionsColumn());
    setCentralWidget(central);
    CreateStatusBar();

    fTimer1 = new QTimer(this);
    fTimer1->setObjectName("Timer1");
    fTimer1->setInterval(20);
    connect(fTimer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);

    // The client area at its design size, then the stored placement.
    resize(S(880), S(724) + menuBar()->sizeHint().height());
    FSaveWindow = std::make_unique<TSaveWindow>(WindowPosFile(), this, FullScreen, this);

    CategoryPanelExport->SetCollapsed(true);
    CategoryPanelSettings->SetCollapsed(true);
    UpdateStatus();
    FPathToQuorvane.clear();

    ChooseSaveFile = [this](const QString& Folder, const QString& ProposedName) {
        QFileDialog dialog(this, {}, Folder);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(kSaveDialogFilter);
        dialog.setDefaultSuffix("bmp");
        dialog.setOption(QFileDialog::DontConfirmOverwrite); // an existing picture is replaced
        dialog.selectFile(ProposedName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
        return dialog.selectedFiles().front();
    };
    AskDesignProgramPath = AskPathWithInputBox(this);
    ConfirmDesignProgramPath = ConfirmWithMessageBox(this);
    StartProgram = StartDesignProgram;
    InstallTransferIdleHandler();

    timerPoll3DDevice = new QTimer(this);
    timerPoll3DDevice->setObjectName("timerPoll3DDevice");
    timerPoll3DDevice->setInterval(10);
    connect(timerPoll3DDevice, &QTimer::timeout, this, &TMainForm::timerPoll3DDeviceTimer);
    Use3DDevice(std::make_unique<T3DConnexionDevice>(NewSpnavSource()));
}

TMainForm::~TMainForm()
{
    fTimer1->stop();
    timerPoll3DDevice->stop();
    FSaveWindow.reset(); // writes the placement while the window still exists
    SetMessageHandler(fPreviousMessages);
}

int TMainForm::S(int DesignPixels) const { return qRound(DesignPixels * logicalDpiY() / 96.0); }

// --- construction ---------------------------------------------------------------

void TMainForm::CreateActions()
{
    auto make = [this](const char* name, const QString& caption, const QIcon& icon = {}) {
        auto* a = new QAction(icon, caption, this);
        a->setObjectName(name);
        a->setIconText(caption); // buttons that show text show the whole caption
        return a;
    };
    FileOpenAction = make("FileOpenAction", "Open...", MakeActionIcon(TActionIcon::Open));
    FileOpenAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    FileCloseAction = make("FileCloseAction", "Close");
    FileCloseAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    FileSaveAsAction = make("FileSaveAsAction", "Save As...", MakeActionIcon(TActionIcon::SaveAs));
    FileExitAction = make("FileExitAction", "Exit", MakeActionIcon(TActionIcon::Exit));
    HelpAboutAction = make("HelpAboutAction", "About", MakeActionIcon(TActionIcon::About));
    HelpCheckForUpdatesAction = make("HelpCheckForUpdatesAction", "Check for Update...");
    ToolsOpenInQuorvaneAction =
        make("ToolsOpenInQuorvaneAction", "Open In Quorvane...", MakeActionIcon(TActionIcon::OpenInQuorvane));
    ToolsClipboardAction = make("ToolsClipboardAction", "Clipboard");
    ViewRotateAction = make("ViewRotateAction", "Rotate", MakeActionIcon(TActionIcon::Rotate));
    ViewPanAction = make("ViewPanAction", "Pan", MakeActionIcon(TActionIcon::Pan));
    ViewZoomAction = make("ViewZoomAction", "Zoom", MakeActionIcon(TActionIcon::Zoom));
    ContinuousOrbitAction = make("ContinuousOrbitAction", "Continuous Orbit", MakeActionIcon(TActionIcon::Orbit));

    // The view modes: one exclusive group that may also be all clear.
    fViewModes = new QActionGroup(this);
    fViewModes->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* a : {ViewRotateAction, ViewPanAction, ViewZoomAction}) {
        a->setCheckable(true);
        a->setToolTip(a->text());   // short hint
        a->setStatusTip(a->text()); // long hint
        fViewModes->addAction(a);
    }
    ContinuousOrbitAction->setCheckable(true);
    connect(ContinuousOrbitAction, &QAction::triggered, this,
            [this](bool checked) { checked ? fTimer1->start() : fTimer1->stop(); });

    connect(FileOpenAction, &QAction::triggered, this, &TMainForm::FileOpenActionExecute);
    connect(FileCloseAction, &QAction::triggered, this, &TMainForm::FileClose);
    connect(FileSaveAsAction, &QAction::triggered, this, &TMainForm::FileSaveAsActionExecute);
    connect(FileExitAction, &QAction::triggered, this, &QWidget::close);
    connect(ToolsOpenInQuorvaneAction, &QAction::triggered, this, &TMainForm::ToolsOpenInQuorvaneActionExecute);
    connect(ToolsClipboardAction, &QAction::triggered, this, &TMainForm::ToolsClipboardActionExecute);
    connect(HelpAboutAction, &QAction::triggered, this, [this] { TAboutDlg::Execute(this); });
    connect(HelpCheckForUpdatesAction, &QAction::triggered, this,
            [this] { TCheckVersionDlg::Execute(this, false, false, MachineIdentifier()); });
    for (QAction* a : findChildren<QAction*>()) addAction(a); // short-cuts work without the menu open
}

void TMainForm::CreateMenu()
{
    QMenu* file = menuBar()->addMenu("File");
    file->addActions({FileOpenAction, FileCloseAction, FileSaveAsAction});
    file->addSeparator();
    file->addAction(FileExitAction);
    menuBar()->addMenu("Tools")->addAction(ToolsOpenInQuorvaneAction);
    QMenu* help = menuBar()->addMenu("Help");
    help->addAction(HelpCheckForUpdatesAction);
    help->addSeparator();
    help->addAction(HelpAboutAction);
}

void TMainForm::CreateToolBar()
{
    ToolBar1 = addToolBar("ToolBar1");
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolBar1->setIconSize(QSize(S(16), S(16)));
    ToolBar1->setFixedHeight(S(22) + 4);
    ToolBar1->addActions({FileOpenAction, FileSaveAsAction});
    ToolBar1->addSeparator();
    ToolBar1->addActions({ToolsOpenInQuorvaneAction, HelpAboutAction});
    ToolBar1->addSeparator();
    ToolBar1->addActions({ViewPanAction, ViewRotateAction, ViewZoomAction, ContinuousOrbitAction});
    ToolBar1->addSeparator();
    ToolBar1->addAction(FileExitAction);
    // Icon-only buttons still carry the full caption for screen readers
    // (Qt's icon text would drop the "...").
    for (QAction* a : ToolBar1->actions())
        if (QWidget* w = ToolBar1->widgetForAction(a)) w->setAccessibleName(a->text());
}

QWidget* TMainForm::CreateOptionsColumn()
{
    PanelOptionsRight = new QWidget(this);
    PanelOptionsRight->setObjectName("PanelOptionsRight");
    PanelOptionsRight->setFixedWidth(S(131));
    auto* column = new QVBoxLayout(PanelOptionsRight);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* top = new QWidget(PanelOptionsRight);
    top->setObjectName("PanelRightTop");
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(S(4), S(4), S(4), S(4));
    CategoryPanelGroup1 = new QWidget(top);
    CategoryPanelGroup1->setObjectName("CategoryPanelGroup1");
    CategoryPanelGroup1->installEventFilter(this);
    topLayout->addWidget(CategoryPanelGroup1);
    column->addWidget(top, 1);

    // "Groups": the strip with the filter options and the "All" row, then
    // one row per group in the scroll box.
    CategoryPanelGroups = new TCategoryPanel("Groups", 0, CategoryPanelGroup1);
    CategoryPanelGroups->setObjectName("CategoryPanelGroups");
    auto* groupsLayout = new QVBoxLayout(CategoryPanelGroups->Content());
    groupsLayout->setContentsMargins(0, 0, 0, 0);
    groupsLayout->setSpacing(0);
    auto* panel7 = new QWidget(CategoryPanelGroups->Content());
    panel7->setObjectName("Panel7");
    panel7->setFixedHeight(S(57));
    CheckBoxHideNotSelected = new QCheckBox("Hide not selected", panel7);
    CheckBoxHideNotSelected->setObjectName("CheckBoxHideNotSelected");
    CheckBoxHideNotSelected->setChecked(true);
    CheckBoxHideNotSelected->setGeometry(S(4), S(2), S(115), S(17));
    CheckBoxMultiSelect = new QCheckBox("Multi Select", panel7);
    CheckBoxMultiSelect->setObjectName("CheckBoxMultiSelect");
    CheckBoxMultiSelect->setGeometry(S(4), S(18), S(115), S(17));
    CheckBoxAll = new QCheckBox(panel7);
    CheckBoxAll->setObjectName("CheckBoxAll");
    CheckBoxAll->setAccessibleName("All");
    CheckBoxAll->setGeometry(S(4), S(38), S(17), S(17));
    ImageAll = new QLabel(panel7);
    ImageAll->setObjectName("ImageAll");
    ImageAll->setGeometry(S(24), S(41), S(20), S(11));
    LabelAll = new QLabel("All", panel7);
    LabelAll->setObjectName("LabelAll");
    LabelAll->setGeometry(S(56), S(38), S(60), S(17));
    groupsLayout->addWidget(panel7);
    ScrollBoxGroups = new QScrollArea(CategoryPanelGroups->Content());
    ScrollBoxGroups->setObjectName("ScrollBoxGroups");
    ScrollBoxGroups->setFrameShape(QFrame::NoFrame);
    ScrollBoxGroups->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fGroupsContent = new QWidget;
    ScrollBoxGroups->setWidget(fGroupsContent);
    groupsLayout->addWidget(ScrollBoxGroups, 1);
    connect(CheckBoxHideNotSelected, &QCheckBox::clicked, this, &TMainForm::CheckBoxHideNotSelectedClick);
    connect(CheckBoxAll, &QCheckBox::clicked, this, &TMainForm::CheckBoxAllClick);

    // "Settings": the ten display switches and "More...".
    CategoryPanelSettings = new TCategoryPanel("Settings", S(208), CategoryPanelGroup1);
    CategoryPanelSettings->setObjectName("CategoryPanelSettings");
    int y = 8;
    for (const TSettingsBox& b : kSettingsBoxes) {
        auto* box = new QCheckBox(b.Caption, CategoryPanelSettings->Content());
        box->setObjectName(b.Name);
        box->setAccessibleName(Caption(b.Caption));
        // Wider than the 97 pixels of the design so that the captions are
        // not cut in the desktop's (larger) font.
        box->setGeometry(S(8), S(y), S(115), S(17));
        connect(box, &QCheckBox::clicked, this, &TMainForm::CheckBoxClick);
        fSettingsBoxes.push_back(box);
        y += 16;
    }
    SpeedButtonExtra = new QToolButton(CategoryPanelSettings->Content());
    SpeedButtonExtra->setObjectName("SpeedButtonExtra");
    SpeedButtonExtra->setText("More...");
    SpeedButtonExtra->setAccessibleName("More...");
    SpeedButtonExtra->setGeometry(S(8), S(180), S(105), S(22));
    connect(SpeedButtonExtra, &QToolButton::clicked, this, &TMainForm::SpeedButtonExtraClick);

    // "Export": buttons bound to the export commands.
    CategoryPanelExport = new TCategoryPanel("Export", S(86), CategoryPanelGroup1);
    CategoryPanelExport->setObjectName("CategoryPanelExport");
    y = 8;
    for (QAction* a : {FileSaveAsAction, ToolsClipboardAction, ToolsOpenInQuorvaneAction}) {
        auto* b = new QToolButton(CategoryPanelExport->Content());
        b->setDefaultAction(a);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setAccessibleName(a->text());
        b->setGeometry(S(8), S(y), S(105), S(22));
        y += 24;
    }
    for (TCategoryPanel* p : {CategoryPanelGroups, CategoryPanelSettings, CategoryPanelExport})
        p->OnToggle = [this] { FitGroupsPanel(); };

    auto* bottom = new QWidget(PanelOptionsRight);
    bottom->setObjectName("PanelRightBottom");
    bottom->setFixedHeight(S(33));
    Button3 = new QToolButton(bottom);
    Button3->setObjectName("Button3");
    Button3->setDefaultAction(FileExitAction);
    Button3->setToolButtonStyle(Qt::ToolButtonTextOnly);
    Button3->setAccessibleName("Exit");
    Button3->setFocusPolicy(Qt::StrongFocus);
    Button3->setGeometry(S(12), S(6), S(105), S(22));
    column->addWidget(bottom);
    return PanelOptionsRight;
}

void TMainForm::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar");
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(S(19) + 2);
    for (int i = 0; i < 7; ++i) {
        auto* l = new QLabel(bar);
        l->setObjectName(QString("StatusPanel%1").arg(i));
        l->setFixedWidth(S(kStatusWidths[i]));
        l->setFrameShape(QFrame::StyledPanel);
        if (i == 4) l->setAlignment(Qt::AlignCenter);
        bar->addWidget(l);
        fStatusPanels[size_t(i)] = l;
    }
}

// --- start and end --------------------------------------------------------------

void TMainForm::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    // The first activation: on a desktop without a window manager (a test
    // server) a window is never activated, so the first show counts too.
    if (fFirstActivate) QTimer::singleShot(0, this, [this] { FirstActivate(); });
}

void TMainForm::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) FirstActivate();
}

void TMainForm::FirstActivate()
{
    if (!fFirstActivate) return;
    fFirstActivate = false; // a load message box must not start a second activation
    Button3->setFocus();
    fOpenDialogDir = QCoreApplication::applicationDirPath();
    LoadSettings();
    if (!fArguments.empty()) OpenFile(fArguments.front());
    FileSaveAsAction->setEnabled(false);
    // The automatic version check once the window has painted: a server
    // that does not answer takes its time-out, and meanwhile the window
    // repaints and works (the check lets its events run).
    QTimer::singleShot(0, this, [this] { AutomaticUpdateCheck(); });
}

void TMainForm::AutomaticUpdateCheck()
{
    // No second check from the menu while this one waits on the server
    // (the window's events run meanwhile).
    HelpCheckForUpdatesAction->setEnabled(false);
    // A window closed meanwhile shows no dialog.
    if (TCheckVersionDlg::UpgradeAvailable() && isVisible())
        TCheckVersionDlg::Execute(this, true, false, MachineIdentifier());
    HelpCheckForUpdatesAction->setEnabled(true);
}

void TMainForm::LoadSettings()
{
    TMainSettings s;
    s.PathToMain = FPathToQuorvane;
    s.InitialDir = fOpenDialogDir.toStdString();
    if (LoadMainSettings(MainSettingsFile(), s)) {
        FPathToQuorvane = s.PathToMain;
        fOpenDialogDir = QString::fromStdString(s.InitialDir);
        fSaveDialogDir = fOpenDialogDir;
    }
    fIsoSettings.LoadFromIni();
    GLSceneViewer1->SetBackgroundColor(fIsoSettings.fData.BackgroundColor);
    SettingsToCheckBoxes();
}

void TMainForm::SaveSettings()
{
    const std::string file = MainSettingsFile();
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    SaveMainSettings(file, {FPathToQuorvane, fOpenDialogDir.toStdString()});
    fIsoSettings.SaveToIni();
}

void TMainForm::closeEvent(QCloseEvent* e)
{
    try {
        SaveSettings();
    } catch (const std::exception& ex) {
        qv::ShowMessage(TMessageKind::Error, ex.what());
    }
    fTimer1->stop();
    timerPoll3DDevice->stop();
    fDevice.reset();
    e->accept();
}

// --- files ----------------------------------------------------------------------

bool TMainForm::OpenFile(const std::string& FileName)
{
    const std::string ext = UpperExt(FileName);
    std::error_code ec;
    const bool exists = std::filesystem::is_regular_file(FileName, ec);
    bool loaded = false;
    if (exists && (ext == ".MNF" || ext == ".MVF")) {
        // Loaded into a fresh document: a file that fails leaves the open
        // one, its scene and its status exactly as they were.
        auto doc = std::make_unique<TManifold>();
        if (ext == ".MNF" ? doc->LoadFromFile(FileName) : doc->LoadFromViewerFile(FileName)) {
            FManifold = std::move(doc);
            LoadedFileSteps(FileName);
            loaded = true;
        }
    }
    if (!loaded)
        statusBar()->showMessage(QString("\"%1\" could not be opened: it is missing, unreadable or not a design file.")
                                     .arg(QString::fromStdString(FileName)),
                                 15000);
    return loaded;
}

void TMainForm::LoadedFileSteps(const std::string& FileName)
{
    fOpenDialogDir = FolderOf(FileName);
    fSaveDialogDir = fOpenDialogDir;
    FLoaded = true;
    statusBar()->clearMessage();
    fView.DocumentLoaded(*FManifold); // empties the group filter, resets the view, rebuilds
    SyncOrbitTimer();
    FillGroupRows();
    GLSceneViewer1->update();
    UpdateStatus();
}

void TMainForm::FileOpenActionExecute()
{
    QFileDialog dialog(this, QString::fromStdString("Open " + ProgramName + " file"), fOpenDialogDir);
    dialog.setNameFilter(kOpenDialogFilter);
    dialog.setDefaultSuffix("mnf");
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        OpenFile(dialog.selectedFiles().front().toStdString());
}

void TMainForm::FileClose()
{
    fView.DocumentClosed();
    FManifold->Clear();
    FLoaded = false;
    GLSceneViewer1->update();
    UpdateStatus();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* e)
{
    const QMimeData* m = e->mimeData();
    if (m && m->hasUrls() && !m->urls().isEmpty() && m->urls().front().isLocalFile()) e->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* e)
{
    const QMimeData* m = e->mimeData();
    if (!m || !m->hasUrls() || m->urls().isEmpty() || !m->urls().front().isLocalFile()) return;
    e->acceptProposedAction();
    OpenFile(m->urls().front().toLocalFile().toStdString());
}

// --- scene and status -----------------------------------------------------------

void TMainForm::RebuildScene()
{
    fView.RebuildScene(); // ends with the view flags
    SyncOrbitTimer();
    GLSceneViewer1->update();
}

void TMainForm::ApplyViewFlags()
{
    fView.ApplyViewFlags();
    SyncOrbitTimer();
    GLSceneViewer1->update();
}

// The orbit runs exactly while the settings ask for it (the check mark of
// Continuous Orbit is left alone).
void TMainForm::SyncOrbitTimer()
{
    if (fView.ContinuousOrbit()) fTimer1->start(); else fTimer1->stop();
}

QString TMainForm::StatusText(int Panel) const { return fStatusPanels.at(size_t(Panel))->text(); }

void TMainForm::UpdateStatus()
{
    CategoryPanelGroup1->setVisible(FLoaded);
    if (FLoaded) {
        const auto texts = StatusPanelTexts(*FManifold);
        ShowFileName();
        for (size_t i = 1; i < 7; ++i) fStatusPanels[i]->setText(QString::fromStdString(texts[i]));
    } else {
        for (QLabel* l : fStatusPanels) l->clear();
        fStatusPanels[0]->setToolTip({});
    }
    for (QLabel* l : fStatusPanels) l->setAccessibleName(l->text());
    ToolsOpenInQuorvaneAction->setEnabled(FLoaded && UpperExt(FManifold->FileName()) == ".MNF");
    for (QAction* a : {FileCloseAction, FileSaveAsAction, ToolsClipboardAction}) a->setEnabled(FLoaded);
}

// Status panel 0: the file's path shortened to the panel's width.
void TMainForm::ShowFileName()
{
    const std::string& name = FManifold->FileName();
    const QFontMetrics fm(statusBar()->font());
    const std::string path = ShortenPath(name, fStatusPanels[0]->width() - S(8), [&fm](const std::string& t) {
        return fm.horizontalAdvance(QString::fromStdString(t));
    });
    fStatusPanels[0]->setText(QString::fromStdString(path));
    fStatusPanels[0]->setAccessibleName(fStatusPanels[0]->text());
    fStatusPanels[0]->setToolTip(QString::fromStdString(name));
}

void TMainForm::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    int others = 0;
    for (int i = 1; i < 7; ++i) others += fStatusPanels[size_t(i)]->width();
    fStatusPanels[0]->setFixedWidth(std::max(S(50), statusBar()->width() - others - S(16)));
    if (FLoaded) ShowFileName(); // shortened for the new width
    FitGroupsPanel();
}

void TMainForm::FitGroupsPanel()
{
    const int w = CategoryPanelGroup1->width(), h = CategoryPanelGroup1->height();
    const int sh = CategoryPanelSettings->PanelHeight(), eh = CategoryPanelExport->PanelHeight();
    const int gh = std::max(CategoryPanelGroups->HeaderHeight(), h - sh - eh);
    CategoryPanelGroups->setGeometry(0, 0, w, gh);
    CategoryPanelSettings->setGeometry(0, gh, w, sh);
    CategoryPanelExport->setGeometry(0, gh + sh, w, eh);
}

// --- "Settings" and "Groups" ----------------------------------------------------

void TMainForm::CheckBoxClick()
{
    const TIsometricDrawingFlags old = fIsoSettings.fData.IsoFlags;
    fIsoSettings.FromDialog(this);
    UpdateStatus();
    if (FlagsNeedRebuild(old, fIsoSettings.fData.IsoFlags)) RebuildScene(); else ApplyViewFlags();
    ApplyGroupFilter(true);
}

void TMainForm::SettingsModified(const TIsometricDrawingSettingsData& Before)
{
    if (NeedsRebuild(Before, fIsoSettings.fData)) RebuildScene(); else ApplyViewFlags();
    GLSceneViewer1->SetBackgroundColor(fIsoSettings.fData.BackgroundColor);
    SettingsToCheckBoxes();
    UpdateStatus();
    ApplyGroupFilter(true);
}

void TMainForm::SettingsToCheckBoxes()
{
    // Setting the boxes must run no click handler.
    std::vector<std::unique_ptr<QSignalBlocker>> quiet;
    quiet.push_back(std::make_unique<QSignalBlocker>(CheckBoxHideNotSelected));
    quiet.push_back(std::make_unique<QSignalBlocker>(CheckBoxMultiSelect));
    for (QCheckBox* b : fSettingsBoxes) quiet.push_back(std::make_unique<QSignalBlocker>(b));
    fIsoSettings.ToDialog(this);
}

void TMainForm::FillGroupRows()
{
    for (const auto& r : fGroupRows) {
        delete r.CheckBox;
        delete r.Image;
        delete r.Label;
    }
    fGroupRows.clear();
    ImageAll->setPixmap(QPixmap::fromImage(CreateColorSwatch(0x00FFFFFF, ImageAll->width(), ImageAll->height())));
    fView.GroupRows = FillGroupPanel(*FManifold, {CheckBoxAll->height(), LabelAll->height()});
    int bottom = 0;
    for (const TGroupRow& row : fView.GroupRows) {
        const QString code = QString::fromStdString(row.Code);
        TGroupRowWidgets w{new QCheckBox(fGroupsContent), new QLabel(fGroupsContent), new QLabel(code, fGroupsContent)};
        w.CheckBox->setGeometry(CheckBoxAll->x(), row.CheckBoxTop, CheckBoxAll->width(), CheckBoxAll->height());
        w.CheckBox->setAccessibleName(code);
        w.CheckBox->setChecked(true);
        w.CheckBox->setProperty("Tag", row.Tag);
        connect(w.CheckBox, &QCheckBox::clicked, this, [this, box = w.CheckBox] { CheckBoxGroupClick(box); });
        w.Image->setGeometry(ImageAll->geometry().translated(0, row.ImageTop - ImageAll->y()));
        w.Image->setPixmap(QPixmap::fromImage(CreateColorSwatch(row.Color, ImageAll->width(), ImageAll->height())));
        // The code beside its own check box.
        w.Label->setGeometry(LabelAll->x(), row.CheckBoxTop, LabelAll->width(), LabelAll->height());
        for (QWidget* x : {static_cast<QWidget*>(w.CheckBox), static_cast<QWidget*>(w.Image),
                           static_cast<QWidget*>(w.Label)})
            x->show();
        bottom = row.CheckBoxTop + CheckBoxAll->height();
        fGroupRows.push_back(w);
    }
    fGroupsContent->resize(ScrollBoxGroups->viewport()->width(), bottom + S(4));
    const QSignalBlocker quiet(CheckBoxAll);
    CheckBoxAll->setChecked(true);
}

// Widgets from the row data, without running any click handler.
void TMainForm::SyncGroupRows()
{
    for (size_t i = 0; i < fGroupRows.size() && i < fView.GroupRows.size(); ++i) {
        const QSignalBlocker quiet(fGroupRows[i].CheckBox);
        fGroupRows[i].CheckBox->setChecked(fView.GroupRows[i].Checked);
    }
    const QSignalBlocker quiet(CheckBoxAll);
    CheckBoxAll->setChecked(fView.AllChecked);
}

void TMainForm::CheckBoxAllClick()
{
    fView.CheckBoxAllClick(CheckBoxAll->isChecked());
    SyncGroupRows();
    GLSceneViewer1->update();
}

void TMainForm::CheckBoxGroupClick(QObject* Sender)
{
    auto* box = qobject_cast<QCheckBox*>(Sender);
    if (!box) return; // a click on a row's label does nothing
    for (size_t i = 0; i < fGroupRows.size(); ++i) {
        if (fGroupRows[i].CheckBox != box) continue;
        fView.GroupRows[i].Checked = box->isChecked();
        fView.MultiSelect = CheckBoxMultiSelect->isChecked();
        fView.HideNotSelected = CheckBoxHideNotSelected->isChecked();
        fView.AllChecked = CheckBoxAll->isChecked();
        GroupCheckBoxClicked(fView.GroupRows, int(i), fView.fVisibleGroupNames, fView.MultiSelect, fView.AllChecked);
        SyncGroupRows();
        ApplyGroupFilter(true);
        return;
    }
}

void TMainForm::CheckBoxHideNotSelectedClick() { ApplyGroupFilter(true); }

void TMainForm::ApplyGroupFilter(bool WithSelection)
{
    if (!FLoaded || !isVisible()) return;
    fView.HideNotSelected = CheckBoxHideNotSelected->isChecked();
    fView.ApplyGroupFilter(WithSelection);
    GLSceneViewer1->update();
}

// --- export and the settings dialog ---------------------------------------------

void TMainForm::FileSaveAsActionExecute()
{
    if (!FLoaded) return;
    const QString name = ChooseSaveFile(fSaveDialogDir, ProposedSaveName(QString::fromStdString(FManifold->FFileName)));
    if (name.isEmpty()) return;
    RenderViewToFile(*GLSceneViewer1, name, logicalDpiX());
}

void TMainForm::ToolsClipboardActionExecute()
{
    if (!FLoaded) return;
    CopyViewToClipboard(*GLSceneViewer1, logicalDpiX());
}

void TMainForm::ToolsOpenInQuorvaneActionExecute()
{
    if (!FLoaded) return;
    const TAskPath ask = AskDesignProgramPath;
    OpenInDesignProgram(FPathToQuorvane, FManifold->FFileName, [ask] { return ResolveDesignProgramPath(ask); },
                        ConfirmDesignProgramPath, StartProgram);
}

void TMainForm::SpeedButtonExtraClick()
{
    const TIsometricDrawingSettingsData before = fIsoSettings.fData;
    if (!fIsoSettings.Modify(this)) return;
    SettingsModified(before);
}

// --- navigation -----------------------------------------------------------------

TViewMode TMainForm::CheckedViewMode() const
{
    if (ViewZoomAction->isChecked()) return TViewMode::Zoom;
    if (ViewRotateAction->isChecked()) return TViewMode::Rotate;
    if (ViewPanAction->isChecked()) return TViewMode::Pan;
    return TViewMode::None;
}

void TMainForm::Timer1Timer()
{
    fNavigator.OrbitTick();
    GLSceneViewer1->update();
}

void TMainForm::Use3DDevice(std::unique_ptr<T3DConnexionDevice> Device)
{
    timerPoll3DDevice->stop();
    fDevice = std::move(Device);
    if (!fDevice) return;
    // The device reports on every poll, zeros at rest: repaint only after a
    // poll that moved something.
    fDevice->FOnRotation = [this](double X, double Y, double Z, double Angle) {
        fNavigator.DeviceRotation(X, Y, Z, Angle);
        fDeviceMoved |= Angle != 0;
    };
    fDevice->FOnTranslation = [this](double X, double Y, double Z, double Length) {
        fNavigator.DeviceTranslation(X, Y, Z, Length);
        fDeviceMoved |= Length != 0;
    };
    fDevice->FOnKeyChange = [this](int KeyIndex, bool Pressed) {
        fNavigator.DeviceKey(KeyIndex, Pressed);
        fDeviceMoved = true;
    };
    // Said once, in the status bar: a message box would interrupt whatever
    // the user is doing, and the mouse keeps working.
    fDevice->FOnConnectionLost = [this] {
        statusBar()->showMessage("The 3D mouse service (spacenavd) closed the connection; the 3D mouse is off "
                                 "until the viewer is started again.",
                                 15000);
    };
    if (fDevice->FLoaded) timerPoll3DDevice->start();
}

void TMainForm::timerPoll3DDeviceTimer()
{
    if (!fDevice || !fDevice->FLoaded) {
        timerPoll3DDevice->stop();
        return;
    }
    fDeviceMoved = false;
    fDevice->Poll();
    if (!fDevice->FLoaded) timerPoll3DDevice->stop();
    if (fDeviceMoved) GLSceneViewer1->update();
}

void TMainForm::wheelEvent(QWheelEvent* e)
{
    fNavigator.MouseWheel(e->angleDelta().y());
    GLSceneViewer1->update();
    e->accept();
}

bool TMainForm::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == CategoryPanelGroup1 && Event->type() == QEvent::Resize) {
        FitGroupsPanel();
    } else if (Watched == GLSceneViewer1) {
        switch (Event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* m = static_cast<QMouseEvent*>(Event);
            fNavigator.MouseDown(int(m->position().x()), int(m->position().y()));
            return true;
        }
        case QEvent::MouseMove: {
            const auto* m = static_cast<QMouseEvent*>(Event);
            TShiftState s;
            s.Shift = m->modifiers() & Qt::ShiftModifier;
            s.Ctrl = m->modifiers() & Qt::ControlModifier;
            s.Alt = m->modifiers() & Qt::AltModifier;
            s.Left = m->buttons() & Qt::LeftButton;
            s.Right = m->buttons() & Qt::RightButton;
            s.Middle = m->buttons() & Qt::MiddleButton;
            fNavigator.MouseMove(int(m->position().x()), int(m->position().y()), s, CheckedViewMode());
            GLSceneViewer1->update();
            return true;
        }
        case QEvent::Wheel:
            wheelEvent(static_cast<QWheelEvent*>(Event));
            return true;
        default: break;
        }
    }
    return QMainWindow::eventFilter(Watched, Event);
}

} // namespace qv
