#include "model/HoleTextLists.h"

#include "stream/QuorvaneFiles.h"

namespace qv {

bool THoleText::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    auto& d = fdata;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 34999) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 34010: HF.GetDouble(d.OffSet.X); break;
        case 34020: HF.GetDouble(d.OffSet.Y); break;
        case 34050: HF.GetString(d.Caption, v.VarLength); break;
        case 34060: HF.GetDouble(d.TextHeight); break;
        case 34070: HF.GetBoolean(d.UseDefaultStyle); break;
        case 34080: HF.GetBoolean(d.UseTextFromRemark); break;
        case 34090: HF.GetBoolean(d.UseBorder); break;
        case 34100: HF.GetDouble(d.FixedWidth); break;
        case 34110: HF.GetDouble(d.Rotation); break;
        case 34120: HF.GetBoolean(d.HideInAssembly); break;
        case 34130: HF.GetBoolean(d.HideInProduction); break;
        case 34140: HF.GetBoolean(d.HideDimInAssembly); break;
        case 34150: HF.GetBoolean(d.HideDimInProduction); break;
        case 34160: HF.GetInteger(d.InsertionPoint); break;
        case 34162: HF.GetBoolean(d.HideInExport3D); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

std::vector<std::string> THoleText::CreateCaptionList() const
{
    std::vector<std::string> lines;
    PopulateCaptionList(lines);
    return lines;
}

void THoleText::PopulateCaptionList(std::vector<std::string>& AList) const
{
    const std::string& c = fdata.Caption;
    size_t start = 0;
    for (;;) {
        const size_t bar = c.find('|', start);
        if (bar == std::string::npos) {
            AList.push_back(c.substr(start));
            return;
        }
        AList.push_back(c.substr(start, bar - start));
        start = bar + 1;
    }
}

void THoleText::GetCaptionList(std::vector<std::string>& AList) const
{
    AList.clear();
    PopulateCaptionList(AList);
}

void THoleText::AssignMultiLines(const std::vector<std::string>& ALines)
{
    std::string s;
    for (size_t i = 0; i < ALines.size(); ++i) {
        if (i > 0) s += '|';
        s += ALines[i];
    }
    fdata.Caption = std::move(s);
}

void THoleText::CopyFromDefault(const THoleText& ASource, const THoleText* ADefault)
{
    // Take the default's values first: the default may be this very text.
    const THoleTextData def = ADefault ? ADefault->fdata : THoleTextData{};
    fdata = ASource.fdata;
    if (!ADefault) return;
    if (fdata.UseDefaultStyle) {
        fdata.UseBorder = def.UseBorder;
        fdata.TextHeight = def.TextHeight;
        fdata.FixedWidth = def.FixedWidth;
    }
    // The anchor point always follows the default.
    fdata.InsertionPoint = def.InsertionPoint;
}

std::vector<THoleText> THoleText::ShownTexts(std::string_view RemarkCode, const THoleText* ADefault) const
{
    THoleText shown;
    shown.Assign(*this);
    if (fdata.UseTextFromRemark && !RemarkCode.empty()) shown.fdata.Caption = std::string(RemarkCode);

    std::vector<THoleText> out;
    for (const std::string& line : shown.CreateCaptionList()) {
        THoleText copy;
        copy.CopyFromDefault(shown, ADefault);
        copy.fdata.Caption = line;
        out.push_back(std::move(copy));
    }
    return out;
}

} // namespace qv
