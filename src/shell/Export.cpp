#include "shell/Export.h"

#include "view3d/scene/GLRender.h"
#include "view3d/scene/GLSceneViewer.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace qv {

namespace {

constexpr TColor kWhite = 0x00FFFFFF;

// Everything the export changes on the view for the picture, put back when
// it ends, however it ends.
class TExportState {
public:
    explicit TExportState(scene::TGLSceneViewer& viewer) : fViewer(viewer), fBackground(viewer.BackgroundColor())
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        if (scene::TGLCamera* camera = viewer.Camera()) fCameraPosition = camera->Position();
    }
    ~TExportState()
    {
        // The camera goes back to where it was rather than by the inverse
        // ratio, so repeated exports never let the view creep.
        if (scene::TGLCamera* camera = fViewer.Camera()) camera->SetPosition(fCameraPosition);
        fViewer.SetBackgroundColor(fBackground);
        QGuiApplication::restoreOverrideCursor();
    }
    TExportState(const TExportState&) = delete;
    TExportState& operator=(const TExportState&) = delete;

private:
    scene::TGLSceneViewer& fViewer;
    TColor fBackground;
    scene::TVector3 fCameraPosition;
};

std::runtime_error Failure(const QString& fileName, const std::string& reason)
{
    return std::runtime_error("The view could not be saved as \"" + fileName.toStdString() + "\": " + reason);
}

} // namespace

void RenderViewToFile(scene::TGLSceneViewer& viewer, const QString& fileName, double dotsPerInch)
{
    TExportState state(viewer);
    if (QFileInfo(fileName).isSymLink() || QFileInfo::exists(fileName)) {
        if (!QFile::remove(fileName)) throw Failure(fileName, "the existing file cannot be deleted.");
    }
    viewer.SetBackgroundColor(kWhite);
    scene::TGLCamera* camera = viewer.Camera();
    const bool rescale = camera && std::isfinite(dotsPerInch) && dotsPerInch > 0 && dotsPerInch != 96.0;
    if (rescale) camera->AdjustDistanceToTarget(float(dotsPerInch / 96.0));

    const int w = viewer.width(), h = viewer.height();
    if (w < 1 || h < 1) throw Failure(fileName, "the view has no size.");
    const int k = scene::SupersamplingFactor(w, h);
    try {
        // The name was freed above; the new file is created exclusively, so
        // nothing put at the name meanwhile is written through.
        scene::SaveNewBmp24(viewer.RenderToImage(w * k, h * k), fileName.toStdString());
    } catch (const std::exception& e) {
        throw Failure(fileName, e.what());
    }
}

QString ProposedSaveName(const QString& documentFileName)
{
    if (documentFileName.isEmpty()) return {};
    // Both separators: a document may carry the Windows path it was
    // opened with.
    const qsizetype slash = std::max(documentFileName.lastIndexOf('/'), documentFileName.lastIndexOf('\\'));
    QString name = documentFileName.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf('.');
    if (dot >= 0) name.truncate(dot);
    return name + ".bmp";
}

QString ClipboardPictureFile()
{
    // Qt gives the temporary folder with its links resolved, and nothing
    // usable ("." or empty) when TMPDIR names a folder that is not there.
    QString folder = QDir::tempPath();
    if (folder.isEmpty() || QDir::isRelativePath(folder)) folder = "/tmp";
    return QDir(folder).filePath("IsometricView.bmp");
}

void CopyViewToClipboard(scene::TGLSceneViewer& viewer, double dotsPerInch)
{
    const QString file = ClipboardPictureFile();
    RenderViewToFile(viewer, file, dotsPerInch);
    const QImage picture(file, "BMP");
    if (picture.isNull()) throw Failure(file, "the written picture cannot be read back.");
    QGuiApplication::clipboard()->setImage(picture);
}

} // namespace qv
