#pragma once
// How the holes of the chosen hydraulic groups stand out: display modes of
// hole objects (normal, selected, darkened or faded, hidden), the colour
// arithmetic behind darkening, the rows of the groups panel and what a
// click on one of them does. The logic works on plain data so that the
// window only wires it to check boxes.
#include "core/Color.h"
#include "view3d/IsometricDrawingSettings.h"
#include "view3d/scene/GLScene.h"

#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class TManifold;

enum TIsoDisplayMode : uint8_t { idmNormal = 0, idmSelected = 1, idmDarkened = 2, idmHidden = 3 };

// Each of red, green and blue becomes b + b * Factor, rounded and clamped
// to 0..255: -1 gives black, 0 keeps the colour, 1 doubles each channel.
TColor Darken(TColor Color, double Factor);

// A Width x Height picture filled with Color inside a 1-pixel black frame.
QImage CreateColorSwatch(TColor Color, int Width, int Height);

// Applies Mode to the objects of one hole (HoleNumber -1: of every hole)
// or of one of its steps (StepIndex -1: the whole hole). Objects with Tag
// <= 0 (block, outline, face numbers) are never touched.
void SetHoleDisplayMode(const TIsometricDrawingSettings& Settings, scene::TGLBaseSceneObject* Parent,
                        TIsoDisplayMode Mode, int HoleNumber, int StepIndex);

// One row of the groups panel: a used group of the document.
struct TGroupRow {
    int Tag = 0; // index of the group in the document's group list
    std::string Code;
    TColor Color = 0;
    bool Checked = true;
    int CheckBoxTop = 0, LabelTop = 0, ImageTop = 0;
};

// Sizes of the "All" row that the group rows copy.
struct TGroupRowMetrics {
    int CheckBoxHeight = 17;
    int LabelHeight = 13;
};

// The rows for a loaded document: one per group some hole uses, in the
// group list's order, all ticked.
std::vector<TGroupRow> FillGroupPanel(const TManifold& Manifold, const TGroupRowMetrics& Metrics = {});

// Gives every row whose Tag differs from ExceptTag (-1: none) the state.
void SetGroupCheckBoxes(std::vector<TGroupRow>& Rows, bool State, int ExceptTag);

// A click on the check box of row Sender (its state already toggled):
// without multi-select the clicked group alone stays ticked; "All" is
// unticked; VisibleGroupNames becomes the codes of the ticked rows.
void GroupCheckBoxClicked(std::vector<TGroupRow>& Rows, int Sender, std::vector<std::string>& VisibleGroupNames,
                          bool MultiSelect, bool& AllChecked);

// True when Code is in the list, ignoring letter case.
bool GroupNameListed(const std::vector<std::string>& VisibleGroupNames, const std::string& Code);

// The group filter: holes of the visible groups normal, the others hidden
// or darkened, and with WithSelection the selected holes highlighted.
void ApplyGroupFilter(const TManifold& Manifold, const TIsometricDrawingSettings& Settings,
                      scene::TGLBaseSceneObject* Parent, const std::vector<std::string>& VisibleGroupNames,
                      bool HideNotSelected, bool WithSelection);

} // namespace qv
