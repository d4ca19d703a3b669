#pragma once
// Writers for the valve and extra-diameter records of a hole, with sample
// values in every field. By default every field is written; the options
// select the design program's own layout (see WriteOptions.h).
#include "model/ExtraDiameterLists.h"
#include "model/ValveLists.h"
#include "testkit/WriteOptions.h"

namespace qv::samples {

// A whole valve record (start tag 30000 to end tag 39999). In a viewer file
// a valve keeps only its number, item number and the label's placement.
void WriteValve(TQuorvaneFile& HF, const TValveData& x, const TWriteOptions& o = {});
// A whole extra-diameter record (28000 to 28999).
void WriteExtraDiameter(TQuorvaneFile& HF, const TExtraDiameterData& x, const TWriteOptions& o = {});

inline void WriteValve(TQuorvaneFile& HF, const TValve& x, const TWriteOptions& o = {}) { WriteValve(HF, x.fData, o); }
inline void WriteExtraDiameter(TQuorvaneFile& HF, const TExtraDiameter& x, const TWriteOptions& o = {})
{
    WriteExtraDiameter(HF, x.fData, o);
}

// Distinct non-default values in every field; `seed` varies them so that
// several samples differ from each other.
void FillSampleValve(TValve& x, int seed = 1);
void FillSampleExtraDiameter(TExtraDiameter& x, int seed = 1);

} // namespace qv::samples
