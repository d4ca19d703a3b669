#pragma once
// The main window: menu, tool bar, the 3D view, the options column with the
// "Groups", "Settings" and "Export" panels and the Exit button, and the
// seven-panel status bar. It owns the document, the view settings and the
// view of the document (scene, camera), opens and closes files, keeps the
// status bar and the enabled commands up to date, and turns mouse input
// into view navigation.
#include "shell/Application.h"
#include "shell/DesignProgram.h"
#include "shell/Navigation.h"
#include "view3d/IsometricDrawingSettings.h"
#include "view3d/ManifoldView.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QCheckBox;
class QLabel;
class QScrollArea;
class QTimer;
class QToolBar;
class QToolButton;
class QWidget;

namespace qv {

class T3DConnexionDevice;
class TCategoryPanel;
class TManifold;
class TSaveWindow;
namespace scene { class TGLSceneViewer; }

// The open dialog's file types ("Manifold Files" and "All Files" with the
// same patterns as the design program's dialog).
inline constexpr const char* kOpenDialogFilter = "Manifold Files (*.mnf *.mvf);;All Files (*.*)";
inline constexpr const char* kSaveDialogFilter = "Bitmap Files (*.bmp);;All Files (*.*)";

class TMainForm : public QMainWindow {
public:
    // Arguments: the command line after the program name; the first one is
    // opened at the first activation.
    explicit TMainForm(std::vector<std::string> Arguments = {}, QWidget* Parent = nullptr);
    ~TMainForm() override;

    // Opens a ".mnf" or ".mvf" file (extension in any letter case). Returns
    // whether it was loaded; a file that cannot be read or loaded leaves the
    // window as it was and says so in the status bar.
    bool OpenFile(const std::string& FileName);
    void RebuildScene();
    void ApplyViewFlags();
    void UpdateStatus();
    void LoadSettings();
    // Throws EIniFileError when a settings file cannot be written.
    void SaveSettings();
    void FitGroupsPanel();
    void FileClose();
    void ResetView() { fView.ResetView(); }

    // "Settings" and "Groups" panel handlers.
    void CheckBoxClick();
    void SettingsToCheckBoxes();
    void CheckBoxAllClick();
    void CheckBoxGroupClick(QObject* Sender);
    void CheckBoxHideNotSelectedClick();
    void ApplyGroupFilter(bool WithSelection);
    // What "More..." does after the settings dialog returned OK, given the
    // settings from before it: rebuild or apply flags, background colour,
    // check boxes, status, group filter.
    void SettingsModified(const TIsometricDrawingSettingsData& Before);

    // Export, hand-off and the full settings dialog.
    void FileSaveAsActionExecute();
    void ToolsClipboardActionExecute();
    void ToolsOpenInQuorvaneActionExecute();
    void SpeedButtonExtraClick();
    // The questions these commands ask, replaceable so that the program's
    // tests answer them instead of a person: the save dialog (given the
    // initial folder and the proposed name; an empty result is Cancel), the
    // input box for the design program's path, the path confirmation, and
    // starting the design program.
    std::function<QString(const QString& Folder, const QString& ProposedName)> ChooseSaveFile;
    TAskPath AskDesignProgramPath;
    TConfirm ConfirmDesignProgramPath;
    TStartProgram StartProgram;
    const std::string& PathToQuorvane() const { return FPathToQuorvane; }

    // Navigation (mouse handlers run through it) and the orbit tick.
    TNavigator& Navigator() { return fNavigator; }
    void Timer1Timer();
    // The 3D mouse: the window makes one over spacenavd when it is created;
    // Use3DDevice puts another in its place (tests use a fake service),
    // wires its events to the navigation and polls it every 10 ms when it
    // is loaded. One poll tick; it stops the timer when the device unloads.
    void Use3DDevice(std::unique_ptr<T3DConnexionDevice> Device);
    void timerPoll3DDeviceTimer();
    T3DConnexionDevice* Device() const { return fDevice.get(); }
    QTimer* PollTimer3DDevice() const { return timerPoll3DDevice; }
    TViewMode CheckedViewMode() const;

    // Read access for the program's own tests and tools.
    bool Loaded() const { return FLoaded; }
    const TManifold& Manifold() const { return *FManifold; }
    TManifoldView& View() { return fView; }
    TIsometricDrawingSettings& IsoSettings() { return fIsoSettings; }
    scene::TGLSceneViewer* Viewer() const { return GLSceneViewer1; }
    QTimer* Timer1() const { return fTimer1; }
    const std::vector<std::string>& VisibleGroupNames() const { return fView.fVisibleGroupNames; }
    QString OpenDialogInitialDir() const { return fOpenDialogDir; }
    QString SaveDialogInitialDir() const { return fSaveDialogDir; }
    bool FirstActivationDone() const { return !fFirstActivate; }
    QString StatusText(int Panel) const;
    // The rows of the groups panel: check box, swatch, code label.
    struct TGroupRowWidgets { QCheckBox* CheckBox; QLabel* Image; QLabel* Label; };
    const std::vector<TGroupRowWidgets>& GroupRowWidgets() const { return fGroupRows; }

    QAction *FileOpenAction, *FileCloseAction, *FileSaveAsAction, *FileExitAction;
    QAction *HelpAboutAction, *HelpCheckForUpdatesAction, *ToolsOpenInQuorvaneAction, *ToolsClipboardAction;
    QAction *ViewRotateAction, *ViewPanAction, *ViewZoomAction, *ContinuousOrbitAction;

protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    int S(int DesignPixels) const; // a 96-dpi design size at the screen's density
    void CreateActions();
    void CreateMenu();
    void CreateToolBar();
    QWidget* CreateOptionsColumn();
    void CreateStatusBar();
    void FirstActivate();
    // At the first activation: the version check when it is due, and the
    // version dialog when it finds a newer version.
    void AutomaticUpdateCheck();
    void FileOpenActionExecute();
    void FillGroupRows();
    void SyncGroupRows();
    void LoadedFileSteps(const std::string& FileName);
    void SyncOrbitTimer();
    void ShowFileName();

    std::vector<std::string> fArguments;
    std::unique_ptr<T3DConnexionDevice> fDevice;
    std::unique_ptr<TManifold> FManifold;
    bool FLoaded = false;
    std::unique_ptr<TSaveWindow> FSaveWindow;
    std::string FPathToQuorvane;
    TIsometricDrawingSettings fIsoSettings;
    TManifoldView fView;
    TNavigator fNavigator;
    bool fFirstActivate = true;
    QString fOpenDialogDir, fSaveDialogDir;
    TMessageBoxHandler fMessages;
    IMessageHandler* fPreviousMessages = nullptr;

    QToolBar* ToolBar1 = nullptr;
    QActionGroup* fViewModes = nullptr;
    scene::TGLSceneViewer* GLSceneViewer1 = nullptr;
    QWidget* PanelOptionsRight = nullptr;
    QWidget* CategoryPanelGroup1 = nullptr;
    TCategoryPanel *CategoryPanelGroups = nullptr, *CategoryPanelSettings = nullptr, *CategoryPanelExport = nullptr;
    QCheckBox *CheckBoxHideNotSelected = nullptr, *CheckBoxMultiSelect = nullptr, *CheckBoxAll = nullptr;
    QLabel *ImageAll = nullptr, *LabelAll = nullptr;
    QScrollArea* ScrollBoxGroups = nullptr;
    QWidget* fGroupsContent = nullptr;
    std::vector<QCheckBox*> fSettingsBoxes;
    QToolButton* SpeedButtonExtra = nullptr;
    QToolButton* Button3 = nullptr;
    std::array<QLabel*, 7> fStatusPanels{};
    QTimer* fTimer1 = nullptr;
    QTimer* timerPoll3DDevice = nullptr;
    bool fDeviceMoved = false; // the last poll moved the view: repaint
    std::vector<TGroupRowWidgets> fGroupRows;
};

} // namespace qv
