#pragma once
// Comment files of a drawing: a block of comment lines placed on the sheet,
// either typed in or taken from a text file.
#include "core/Reflect.h"
#include "model/OwnedList.h"
#include "model/XYZPoints.h"

#include <string>
#include <vector>

namespace qv {

class TQuorvaneFile;

struct TCommentFileData {
    std::string FileName;
    TXYPoint InsertionPoint;
    bool UseTextFile = true;

    template <class F> void Fields(F&& f) const
    {
        f("FileName", FileName); f("InsertionPoint", InsertionPoint); f("UseTextFile", UseTextFile);
    }
};

class TCommentFile {
public:
    TCommentFileData fData;
    std::vector<std::string> fCommentLines;

    TCommentFile() = default;
    TCommentFile(const TCommentFile&) = delete;
    TCommentFile& operator=(const TCommentFile&) = delete;

    void Clear()
    {
        fData = TCommentFileData{};
        fCommentLines.clear();
    }
    void Assign(const TCommentFile& Source)
    {
        fData = Source.fData;
        fCommentLines = Source.fCommentLines;
    }
    // Reads the record after its start tag 60100 up to its end tag 60199.
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const { f("fData", fData); f("fCommentLines", fCommentLines); }
};

class TCommentFileList : public TOwnedList<TCommentFile> {};

} // namespace qv
