#pragma once
// How the record writers of the sample generator choose the fields they put
// in a file. Round-trip tests want every field with its tag, so that a field
// read from the wrong tag shows; sample designs want files as the design
// program saves them, where many fields are left out at their default value
// and a viewer file (*.mvf) is reduced to what the viewer reads.
#include "stream/QuorvaneFiles.h"

#include <cstdint>
#include <string_view>

namespace qv::samples {

struct TWriteOptions {
    enum TFields {
        EveryTag,          // every field, whatever its value
        LikeDesignProgram, // fields at their default left out where the design program leaves them out
    };
    TFields Fields = EveryTag;
    // A viewer file: some records keep only the fields the viewer reads.
    bool ViewerFile = false;
};

// As the design program writes a manifold file or a viewer file.
inline TWriteOptions LikeDesignProgram(bool viewerFile)
{
    return {TWriteOptions::LikeDesignProgram, viewerFile};
}

// Writes the fields of one record under the options. The overloads with a
// default value leave a field out when it holds that value and the options
// ask for the design program's layout; the others always write it. Strings
// are left out when empty in that layout; Line always writes (an empty line
// of a text block is part of the text).
class TFieldWriter {
public:
    TFieldWriter(TQuorvaneFile& HF, const TWriteOptions& Options)
        : fHF(HF), fEveryTag(Options.Fields == TWriteOptions::EveryTag)
    {
    }

    void Var(uint16_t Tag) { fHF.WriteVar(Tag); }
    void Double(uint16_t Tag, double V) { fHF.WriteDouble(Tag, V); }
    void Double(uint16_t Tag, double V, double Default)
    {
        fEveryTag ? fHF.WriteDouble(Tag, V) : fHF.WriteDouble(Tag, V, Default);
    }
    void Integer(uint16_t Tag, int32_t V) { fHF.WriteInteger(Tag, V); }
    void Integer(uint16_t Tag, int32_t V, int32_t Default)
    {
        fEveryTag ? fHF.WriteInteger(Tag, V) : fHF.WriteInteger(Tag, V, Default);
    }
    void Boolean(uint16_t Tag, bool V) { fHF.WriteBoolean(Tag, V); }
    void Boolean(uint16_t Tag, bool V, bool Default)
    {
        fEveryTag ? fHF.WriteBoolean(Tag, V) : fHF.WriteBoolean(Tag, V, Default);
    }
    void String(uint16_t Tag, std::string_view V) { fHF.WriteString(Tag, V, fEveryTag); }
    void Line(uint16_t Tag, std::string_view V) { fHF.WriteString(Tag, V, true); }
    // For the fields the design program writes under a condition of its own.
    bool EveryTag() const { return fEveryTag; }

private:
    TQuorvaneFile& fHF;
    bool fEveryTag;
};

} // namespace qv::samples
