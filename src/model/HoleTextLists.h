#pragma once
// Hole texts: labels attached to a hole on its face (a port name, a note).
// Each hole owns its texts; the document owns one more list whose first entry
// is the default style (border, height, width, anchor) for all of them.
#include "model/OwnedList.h"
#include "model/XYZPoints.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class TQuorvaneFile;

struct THoleTextData {
    std::string Caption; // "|" separates lines
    TXYPoint OffSet;     // from the hole's position on its face
    double TextHeight = 0.0;
    // The design program writes the three flags below only when they are
    // False, so True is what an absent field means.
    bool UseDefaultStyle = true;   // border, height and width from the default text
    bool UseTextFromRemark = true; // show the name in the remark of the hole's step 0
    bool UseBorder = true;
    double FixedWidth = 0.0; // width of the text box; 0: as wide as the text
    double Rotation = 0.0;   // degrees
    int32_t InsertionPoint = 0; // code of the anchor point of the text box
    bool HideInAssembly = false;
    bool HideInProduction = false;
    bool HideDimInAssembly = false;
    bool HideDimInProduction = false;
    bool HideInExport3D = false;

    template <class F> void Fields(F&& f) const
    {
        f("Caption", Caption); f("OffSet", OffSet); f("TextHeight", TextHeight);
        f("UseDefaultStyle", UseDefaultStyle); f("UseTextFromRemark", UseTextFromRemark);
        f("UseBorder", UseBorder); f("FixedWidth", FixedWidth); f("Rotation", Rotation);
        f("InsertionPoint", InsertionPoint); f("HideInAssembly", HideInAssembly);
        f("HideInProduction", HideInProduction); f("HideDimInAssembly", HideDimInAssembly);
        f("HideDimInProduction", HideDimInProduction); f("HideInExport3D", HideInExport3D);
    }
};

class THoleText {
public:
    THoleTextData fdata;

    void Clear() { fdata = THoleTextData{}; }
    void Assign(const THoleText& Source) { fdata = Source.fdata; }
    // Reads the hole-text record after its start tag, up to its end tag.
    bool Load(TQuorvaneFile& HF);

    bool GetIsMultiLine() const { return fdata.Caption.find('|') != std::string::npos; }
    // The lines of the caption, split at every "|": n separators give n + 1
    // lines (empty ones included), so joining them with "|" gives the caption
    // back. A caption without "|" is one line, an empty caption one empty line.
    std::vector<std::string> CreateCaptionList() const;
    // Appends the lines of the caption to AList.
    void PopulateCaptionList(std::vector<std::string>& AList) const;
    // Replaces the contents of AList by the lines of the caption.
    void GetCaptionList(std::vector<std::string>& AList) const;
    // Sets the caption to the lines joined by "|".
    void AssignMultiLines(const std::vector<std::string>& ALines);

    // Copies ASource's record; with a default text, takes the default's
    // anchor point, and its border, height and width too when the copied text
    // uses the default style.
    void CopyFromDefault(const THoleText& ASource, const THoleText* ADefault);

    // The labels the view draws for this text. The text to show is the
    // hole's remark name (RemarkCode, the name in the remark of step 0) when
    // UseTextFromRemark is set and that name is not empty, else the caption.
    // It gives one copy of this text per line, the line as its caption, each
    // styled by CopyFromDefault when a default text is given.
    std::vector<THoleText> ShownTexts(std::string_view RemarkCode, const THoleText* ADefault) const;

    template <class F> void Fields(F&& f) const { f("fdata", fdata); }
};

class THoleTextList : public TOwnedList<THoleText> {
public:
    THoleText* GetHoleTexts(int AIndex) const { return Items(AIndex); }
};

} // namespace qv
