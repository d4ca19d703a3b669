#pragma once
// Writers for the valve and extra-diameter records of a hole, with sample
// values in every field.
#include "ExtraDiameterLists.h"
#include "QuorvaneFiles.h"
#include "ValveLists.h"

namespace qv::samples {

// A whole valve record (start tag 30000 to end tag 39999), every field.
void WriteValve(TQuorvaneFile& HF, const TValve& x);
// A whole extra-diameter record (28000 to 28999), every field.
void WriteExtraDiameter(TQuorvaneFile& HF, const TExtraDiameter& x);

// Distinct non-default values in every field; `seed` varies them so that
// several samples differ from each other.
void FillSampleValve(TValve& x, int seed = 1);
void FillSampleExtraDiameter(TExtraDiameter& x, int seed = 1);

} // namespace qv::samples
