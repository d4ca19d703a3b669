#pragma once
// The cut-out record as the design program writes it, for tests and the
// sample designs.
#include "model/CutOutLists.h"
#include "stream/QuorvaneFiles.h"

namespace qv {

// Start tag, every field with its tag, end tag.
void WriteCutOut(TQuorvaneFile& HF, const TCutOut& x);
// Every cut-out of the list in order.
void WriteCutOuts(TQuorvaneFile& HF, const TCutOutList& x);
// A cut-out with a value other than its default in every field, each value
// different from the others.
void FillSampleCutOut(TCutOut& x);

} // namespace qv
