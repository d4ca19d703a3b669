#pragma once
// Taking the current view out of the viewer: Save As... writes it as a
// bitmap file, Clipboard puts the same picture on the clipboard. Both render
// the view off screen at a higher resolution than the screen shows it, on a
// white background, whatever background the screen has.
#include <QString>

namespace qv::scene {
class TGLSceneViewer;
}

namespace qv {

// Renders what the viewer shows into a 24-bit BMP file (whatever the name's
// extension): a wait cursor meanwhile, an existing file deleted first, white
// background, the picture k times the view's size in each direction
// (scene::SupersamplingFactor). At a screen density other than 96 dots per
// inch the camera is moved away from its target by dotsPerInch / 96 for the
// picture. The background colour, the camera and the cursor are restored
// also when rendering or writing fails; the failure is thrown as
// std::runtime_error with the reason.
void RenderViewToFile(scene::TGLSceneViewer& viewer, const QString& fileName, double dotsPerInch);

// The name Save As... proposes for a document: its file name without the
// folder (either kind of separator), the extension replaced by ".bmp"
// ("C:\Designs\Block A.mnf" and "/home/u/Block A.mnf" both give
// "Block A.bmp"). No document name, no proposal.
QString ProposedSaveName(const QString& documentFileName);

// "IsometricView.bmp" in the system's temporary folder.
QString ClipboardPictureFile();
// Renders the view into ClipboardPictureFile() and puts that picture on the
// clipboard; the file stays. Throws std::runtime_error on failure.
void CopyViewToClipboard(scene::TGLSceneViewer& viewer, double dotsPerInch);

} // namespace qv
