#include "model/HoleLists.h"

#include "core/Messages.h"
#include "core/Text.h"
#include "core/TextCompare.h"
#include "core/Tolerance.h"
#include "stream/QuorvaneFiles.h"

#include <cmath>

namespace qv {

namespace {

// Attribute tags in ordinal order of THoleAttribute.
constexpr int kAttributeTags[] = {16000, 16010, 16020, 16030, 16090, 16100, 16120, 16110, 16040,
                                  16042, 16050, 16060, 16070, 16080, 16122, 16124, 16128, 16126};

int AttributeOfTag(int tag)
{
    if (tag < 16000 || tag > 16128) return -1; // most unknown tags end here
    for (int i = 0; i < int(std::size(kAttributeTags)); ++i)
        if (kAttributeTags[i] == tag) return i;
    return -1;
}

} // namespace

int HoleAttributeTag(THoleAttribute a)
{
    return a >= 0 && a < int(std::size(kAttributeTags)) ? kAttributeTags[a] : 0;
}

// ------------------------------------------------------------------ THole

void THole::Clear()
{
    FStepList.Clear();
    fExtraDiameterList.Clear();
    FContourList.Clear();
    FValveList.Clear();
    fHoleTextList.Clear();
    fManufacturingNote.Clear();
    FData = THoleData{};
    fComments.clear();
}

void THole::Assign(const THole& Source)
{
    if (&Source == this) return;
    Clear();
    FData = Source.FData;
    FStepList.Assign(Source.FStepList);
    fExtraDiameterList.Assign(Source.fExtraDiameterList);
    FContourList.Assign(Source.FContourList);
    FValveList.Assign(Source.FValveList);
    fHoleTextList.Assign(Source.fHoleTextList);
    fManufacturingNote.Assign(Source.fManufacturingNote);
    fComments = Source.fComments;
}

std::unique_ptr<THole> THole::Clone() const
{
    auto h = std::make_unique<THole>();
    h->Assign(*this);
    return h;
}

namespace {
const TRepeatedMessage kHolesWithoutDiameters{"\u2026 and %d more holes without diameters."};
} // namespace

bool THole::Load(TQuorvaneFile& File)
{
    TFieldCursor HF(File);
    TVarInfo v;
    auto& d = FData;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 19999) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 7010: HF.GetString(d.Properties.Title, v.VarLength); break;
        case 7020: HF.GetString(d.Properties.Bitmap, v.VarLength); break;
        case 7030: HF.GetString(d.Properties.Description, v.VarLength); break;
        case 7040: HF.GetString(d.Properties.Group, v.VarLength); break;
        case 7050: HF.GetBoolean(d.Properties.Use); break;
        case 7060: HF.GetString(d.Properties.LibraryFile, v.VarLength); break;
        case 10010: HF.GetInteger(d.HoleNumber); break;
        case 10100: HF.GetInteger(d.PatternHandle); break;
        case 10110: HF.GetInteger(d.PatternHoleNumber); break;
        case 10200: HF.GetInteger(d.FaceNumber); break;
        case 10211: HF.GetDouble(d.XXY); break;
        case 10212: HF.GetDouble(d.YZZ); break;
        case 10220: HF.GetInteger(d.Dashed); break;
        case 10222: HF.GetBoolean(d.DashedLocked); break;
        case 10230: HF.GetDouble(d.HoleContour); break;
        case 10232: HF.GetDouble(d.OriginalDiameter); break;
        case 10240: HF.GetDouble(d.AngleValue); break;
        case 10250: HF.GetDouble(d.AngleRotation); break;
        case 10260: HF.GetInteger(d.RemarkRotation); break;
        case 10272: HF.GetInteger(d.ToDoTag); break;
        case 10274: HF.GetString(d.AllowedFaces, v.VarLength); break;
        case 10276: HF.GetString(d.HoleRevision, v.VarLength); break;
        case 10278: HF.GetInteger(d.PelomyraHandle); break;
        case 10280: HF.GetDouble(d.StartDepth); break;
        case 10290: HF.GetDouble(d.MinLS); break;
        case 10300: HF.GetBoolean(d.OverrideStandardHoleNumberPosition); break;
        case 10310: HF.GetDouble(d.HoleNumberPositionOffset.X); break;
        case 10312: HF.GetDouble(d.HoleNumberPositionOffset.Y); break;
        case 10314: HF.GetBoolean(d.HideFace); break;
        case 10316: HF.GetBoolean(d.HideCoordinates); break;
        case 10320: fComments.push_back(HF.ReadString(v.VarLength)); break;
        case 10322: HF.GetString(d.FeatureName, v.VarLength); break;
        case 10324: HF.GetString(d.DataSheet, v.VarLength); break;
        case 10326: HF.GetInteger(d.AutoMountingHoleTag); break;
        case 10328: HF.GetString(d.ExternalFile, v.VarLength); break;
        case 10330: HF.GetDouble(d.ExternalFileScale); break;
        case 10340: HF.GetDouble(d.ExternalFileRotation); break;
        case 20000: FStepList.Add()->Load(HF); break;
        // Nested records: each reads itself up to its own end tag, so that no
        // field inside it is taken for a field of the hole.
        case 6000: HF.WithStream([&](TQuorvaneFile& f) { FContourList.Add()->Load(f); }); break;
        case 28000: HF.WithStream([&](TQuorvaneFile& f) { fExtraDiameterList.Add()->Load(f); }); break;
        case 30000: FValveList.Add()->Load(HF); break;
        case 32300: HF.WithStream([&](TQuorvaneFile& f) { fManufacturingNote.Load(f); }); break;
        case 34000: HF.WithStream([&](TQuorvaneFile& f) { fHoleTextList.Add()->Load(f); }); break;
        default: {
            const int a = AttributeOfTag(v.VarName);
            if (a >= 0) {
                if (HF.ReadBoolean()) d.Attribute.Include(static_cast<THoleAttribute>(a));
            } else {
                HF.ReadUnknown(v.VarLength);
            }
            break;
        }
        }
    }
    if (FStepList.Count() == 0) {
        // A hole cut off by the end of the file is already covered by the
        // load's truncation warning; only a complete record without steps is
        // a design error worth telling. Either way the hole gets a step, so
        // that every hole can be drawn.
        if (!HF.HitEnd())
            ShowRepeatedMessage(kHolesWithoutDiameters, TMessageKind::Error,
                                "Error in hole " + std::to_string(d.HoleNumber) +
                                    ": No diameters found!\rA diameter is added, this hole should be changed.");
        FStepList.Add()->FData.Remark = "ERROR!";
    }
    return true;
}

void THole::SetSelected(bool V)
{
    if (!V || FData.SelectedMode == 0) FData.SelectedMode = V ? 1 : 0;
}

bool THole::GetHasManufacturingNotes() const { return !fManufacturingNote.fNotes.empty(); }

std::string THole::GetPortName() const
{
    if (GetIsCartridge() || FStepList.Count() == 0) return {};
    return TrimRightBlanks(FStepList.Items(0)->ExtractRemarkCode());
}

bool THole::GetIsSimpleORing() const
{
    if (FStepList.Count() == 0 || !FStepList.Last()->GetIsSpotfaced()) return false;
    if (AsciiUpper(FData.Properties.Description).find("O-RING") != std::string::npos) return true;
    // An O-ring fitted as a component: its detail drawing is named "OR...".
    return FValveList.Count() > 0 && AsciiUpper(FValveList.First()->fData.DetailDrawing).starts_with("OR");
}

bool THole::GetHasX() const
{
    const int f = FData.FaceNumber;
    return f == 1 || f == 2 || f == 5 || f == 6;
}

bool THole::GetHasY() const
{
    const int f = FData.FaceNumber;
    return f == 1 || f == 3 || f == 4 || f == 6;
}

bool THole::GetHasZ() const
{
    const int f = FData.FaceNumber;
    return f >= 2 && f <= 5;
}

// On faces 1, 2, 5, 6 X is the first face coordinate; on faces 3 and 4 Y is.
// Y is the second coordinate on faces 1 and 6, Z on faces 2 to 5.
double THole::GetXCoordinate() const { return GetHasX() ? FData.XXY : 0.0; }
double THole::GetYCoordinate() const
{
    if (!GetHasY()) return 0.0;
    return (FData.FaceNumber == 3 || FData.FaceNumber == 4) ? FData.XXY : FData.YZZ;
}
double THole::GetZCoordinate() const { return GetHasZ() ? FData.YZZ : 0.0; }

void THole::SetXCoordinate(double v)
{
    if (GetHasX()) FData.XXY = v;
}
void THole::SetYCoordinate(double v)
{
    if (!GetHasY()) return;
    if (FData.FaceNumber == 3 || FData.FaceNumber == 4)
        FData.XXY = v;
    else
        FData.YZZ = v;
}
void THole::SetZCoordinate(double v)
{
    if (GetHasZ()) FData.YZZ = v;
}

double THole::XDistance(const THole& o) const
{
    return GetHasX() && o.GetHasX() ? std::fabs(GetXCoordinate() - o.GetXCoordinate()) : 1.0E12;
}
double THole::YDistance(const THole& o) const
{
    return GetHasY() && o.GetHasY() ? std::fabs(GetYCoordinate() - o.GetYCoordinate()) : 1.0E12;
}
double THole::ZDistance(const THole& o) const
{
    return GetHasZ() && o.GetHasZ() ? std::fabs(GetZCoordinate() - o.GetZCoordinate()) : 1.0E12;
}

bool THole::FaceIsAllowed(int NewFace) const
{
    if (FData.AllowedFaces.empty()) return true;
    const int face = NewFace == -1 ? FData.FaceNumber : NewFace;
    return FData.AllowedFaces.str().find(std::to_string(face)) != std::string::npos;
}

double THole::GetApparentAngleX() const
{
    if (!GetIsAngled()) return 0.0;
    return std::atan(std::cos(FData.AngleRotation * DegToRad) * std::tan(FData.AngleValue * DegToRad)) * RadToDeg;
}

double THole::GetApparentAngleY() const
{
    if (!GetIsAngled()) return 0.0;
    return std::atan(std::sin(FData.AngleRotation * DegToRad) * std::tan(FData.AngleValue * DegToRad)) * RadToDeg;
}

// -------------------------------------------------------------- THoleList

int THoleList::IndexOf(int AHoleNumber) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->FData.HoleNumber == AHoleNumber) return i;
    return -1;
}

bool THoleList::GroupUsed(const std::string& AGroup) const
{
    for (const auto& h : *this)
        for (const auto& s : h->FStepList)
            // The same fold as the group list's look-up: a code the panel
            // finds a group by must also count as used ("Öl" and "öl").
            if (SameTextNoCase(s->FData.GroupCode, AGroup)) return true;
    return false;
}

bool THoleList::GroupsUsed() const
{
    for (const auto& h : *this)
        if (h->FStepList.GroupsUsed()) return true;
    return false;
}

int THoleList::NextPatternHandle() const
{
    if (Count() == 0) return 0;
    int m = -1;
    for (const auto& h : *this) m = std::max(m, h->FData.PatternHandle);
    return m + 1;
}

int THoleList::GetNextHoleNumber() const
{
    int m = 0;
    for (const auto& h : *this) m = std::max(m, h->FData.HoleNumber);
    return m + 1;
}

int THoleList::GetHoleTextCount() const
{
    int n = 0;
    for (const auto& h : *this) n += h->fHoleTextList.Count() > 0 ? 1 : 0;
    return n;
}

int THoleList::HolesInFaceCount(int AFace) const
{
    int n = 0;
    for (const auto& h : *this) n += h->FData.FaceNumber == AFace ? 1 : 0;
    return n;
}

bool THoleList::Renumber()
{
    const int n = Count();
    // Dummy holes go to the end in their former order; with one or two holes
    // nothing moves.
    if (n > 2) {
        int pos = 0;
        for (int pass = 0; pass < n && pos < n; ++pass) {
            if (Items(pos)->GetIsDummyHole())
                Move(pos, n - 1);
            else
                ++pos;
        }
    }
    bool changed = false;
    for (int i = 0; i < n; ++i) {
        THole& h = *Items(i);
        if (h.FData.HoleNumber != i + 1) changed = true;
        h.FData.HoleNumber = i + 1;
        if (h.FStepList.Renumber()) changed = true;
    }
    return changed;
}

std::unique_ptr<TPlugList> THoleList::CreatePlugList() const
{
    auto plugs = std::make_unique<TPlugList>();
    for (const auto& h : *this) {
        if (!h->GetIsPlugged()) continue;
        const TStepList& steps = h->FStepList;
        if (steps.Count() == 0) continue; // nothing to say what plug it takes
        // The plug sits in the thread nearest the face.
        std::string thread;
        double diameter = 0.0;
        const int t = steps.GetHasThread();
        if (t >= 0) {
            thread = steps.Items(t)->FData.Thread;
            diameter = steps.Items(t)->FData.OutsideDiameter;
        } else {
            // An unthreaded bore takes a pressed-in plug named in its remark;
            // the factor puts such plugs after every threaded one.
            thread = steps.Items(0)->ExtractRemarkText();
            diameter = 1000.0 * steps.Items(0)->GetMaxDiam();
        }
        int i = plugs->IndexOf(thread);
        if (i < 0) {
            TPlug* p = plugs->Add();
            p->fData.ThreadOfPlug = thread;
            p->fData.OutsideDiameter = diameter;
            i = plugs->Count() - 1;
        }
        plugs->Items(i)->fHoleNumberList.Add(h->FData.HoleNumber);
    }
    plugs->Sort();
    return plugs;
}

} // namespace qv
