#include "view3d/DisplayModes.h"

#include "core/TextCompare.h"
#include "document/Manifolds.h"
#include "view3d/Manifolds.Drawing3D.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace qv {

using namespace scene;

TColor Darken(TColor Color, double Factor)
{
    TColor out = 0;
    for (int shift : {0, 8, 16}) {
        const int b = (Color >> shift) & 0xFF;
        const long v = std::clamp(std::lround(b + b * Factor), 0L, 255L);
        out |= TColor(v) << shift;
    }
    return out;
}

QImage CreateColorSwatch(TColor Color, int Width, int Height)
{
    QImage img(std::max(Width, 1), std::max(Height, 1), QImage::Format_RGB32);
    const TColor rgb = ResolveSystemColor(Color);
    img.fill(QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF));
    QPainter p(&img);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, img.width() - 1, img.height() - 1);
    return img;
}

namespace {

void ApplyMode(const TIsometricDrawingSettings& Settings, TGLBaseSceneObject* obj, TIsoDisplayMode Mode)
{
    if (Mode == idmHidden) {
        obj->Visible = false;
        return;
    }
    const auto& d = Settings.fData;
    TColor c = TColor(std::lround(std::fabs(double(obj->TagFloat))));
    const bool isThread = obj->TagFloat < 0;
    if (Mode == idmSelected) c = d.SelectColor;
    if (auto* solid = dynamic_cast<TGLCylinderBase*>(obj)) {
        double alpha = 0;
        if (Mode == idmDarkened) {
            if (d.DarkenedObjects.Transparent) {
                alpha = d.DarkenedObjects.Alpha;
            } else if (isThread) {
                c = Darken(d.ThreadColor, d.DarkenedObjects.DarkenedFactor);
                alpha = d.TransparencyThread;
            } else {
                c = Darken(c, d.DarkenedObjects.DarkenedFactor);
            }
        }
        SetObjectMaterial(Settings, solid->GetMaterial(), isThread, alpha, c);
    } else if (auto* lines = dynamic_cast<TGLLines*>(obj)) {
        if (Mode == idmDarkened) c = Darken(c, d.DarkenedObjects.DarkenedFactor);
        lines->LineColor = ConvertWinColor(c, 1.0f);
    } else if (auto* text = dynamic_cast<TGLSpaceText*>(obj)) {
        double alpha = 0;
        if (Mode == idmDarkened) {
            if (d.DarkenedObjects.Transparent)
                alpha = d.DarkenedObjects.Alpha;
            else
                c = Darken(c, d.DarkenedObjects.DarkenedFactor);
        }
        SetObjectMaterial(Settings, text->GetMaterial(), false, alpha, c);
    }
    obj->Visible = true;
}

// The step rule: the object of the chosen step or of the whole hole gets
// the mode; another step's object that is hidden is brought back darkened.
void ApplyStepRule(const TIsometricDrawingSettings& Settings, TGLBaseSceneObject* obj, TIsoDisplayMode Mode, int S)
{
    const int k = obj->Tag % 10000;
    if (k == S || k == kWholeHoleTag)
        ApplyMode(Settings, obj, Mode);
    else if (!obj->Visible)
        ApplyMode(Settings, obj, idmDarkened);
}

} // namespace

void SetHoleDisplayMode(const TIsometricDrawingSettings& Settings, TGLBaseSceneObject* Parent, TIsoDisplayMode Mode,
                        int HoleNumber, int StepIndex)
{
    for (int i = 0; i < Parent->Count(); ++i) {
        TGLBaseSceneObject* child = Parent->Children(i);
        if (HoleNumber == -1) {
            if (child->Tag <= 0) continue;
        } else if (child->Tag <= 0 || child->Tag / 10000 != HoleNumber) {
            continue;
        }
        if (HoleNumber == -1 || StepIndex == -1) {
            ApplyMode(Settings, child, Mode);
            for (int j = 0; j < child->Count(); ++j) ApplyMode(Settings, child->Children(j), Mode);
        } else {
            ApplyStepRule(Settings, child, Mode, StepIndex);
            for (int j = 0; j < child->Count(); ++j) ApplyStepRule(Settings, child->Children(j), Mode, StepIndex);
        }
    }
}

std::vector<TGroupRow> FillGroupPanel(const TManifold& Manifold, const TGroupRowMetrics& Metrics)
{
    std::vector<TGroupRow> rows;
    for (int i = 0; i < Manifold.FGroupList.Count(); ++i) {
        const TGroup& g = *Manifold.FGroupList.GetGroups(i);
        if (!Manifold.FHoleList.GroupUsed(g.FData.Code)) continue;
        const int r = int(rows.size());
        TGroupRow row;
        row.Tag = i;
        row.Code = g.FData.Code;
        row.Color = g.FData.Color;
        row.Checked = true;
        row.CheckBoxTop = r * Metrics.CheckBoxHeight + 4;
        row.LabelTop = r * Metrics.LabelHeight + 4;
        row.ImageTop = r * Metrics.CheckBoxHeight + 7;
        rows.push_back(row);
    }
    return rows;
}

void SetGroupCheckBoxes(std::vector<TGroupRow>& Rows, bool State, int ExceptTag)
{
    for (auto& r : Rows)
        if (r.Tag != ExceptTag) r.Checked = State;
}

void GroupCheckBoxClicked(std::vector<TGroupRow>& Rows, int Sender, std::vector<std::string>& VisibleGroupNames,
                          bool MultiSelect, bool& AllChecked)
{
    if (Sender < 0 || Sender >= int(Rows.size())) return;
    if (!MultiSelect) SetGroupCheckBoxes(Rows, false, Rows[size_t(Sender)].Tag);
    AllChecked = false;
    if (!MultiSelect && !Rows[size_t(Sender)].Checked) Rows[size_t(Sender)].Checked = true;
    VisibleGroupNames.clear();
    for (const auto& r : Rows)
        if (r.Checked) VisibleGroupNames.push_back(r.Code);
}

bool GroupNameListed(const std::vector<std::string>& VisibleGroupNames, const std::string& Code)
{
    return std::any_of(VisibleGroupNames.begin(), VisibleGroupNames.end(),
                       [&](const std::string& n) { return SameTextNoCase(n, Code); });
}

void ApplyGroupFilter(const TManifold& Manifold, const TIsometricDrawingSettings& Settings,
                      TGLBaseSceneObject* Parent, const std::vector<std::string>& VisibleGroupNames,
                      bool HideNotSelected, bool WithSelection)
{
    if (VisibleGroupNames.empty()) {
        SetHoleDisplayMode(Settings, Parent, idmNormal, -1, -1);
    } else {
        SetHoleDisplayMode(Settings, Parent, HideNotSelected ? idmHidden : idmDarkened, -1, -1);
        for (const auto& h : Manifold.FHoleList) {
            const TStepList& steps = h->FStepList;
            if (h->GetIsCartridge()) {
                for (int i = 0; i < steps.Count(); ++i) {
                    const std::string& code = steps.GetSteps(i)->FData.GroupCode;
                    if (!code.empty() && GroupNameListed(VisibleGroupNames, code))
                        SetHoleDisplayMode(Settings, Parent, idmNormal, h->FData.HoleNumber, i);
                }
            } else if (steps.Count() > 0) {
                const std::string& code = steps.GetSteps(0)->FData.GroupCode;
                if (!code.empty() && GroupNameListed(VisibleGroupNames, code))
                    SetHoleDisplayMode(Settings, Parent, idmNormal, h->FData.HoleNumber, -1);
            }
        }
    }
    if (WithSelection)
        for (const auto& h : Manifold.FHoleList)
            if (h->GetSelected()) SetHoleDisplayMode(Settings, Parent, idmSelected, h->FData.HoleNumber, -1);
}

} // namespace qv
