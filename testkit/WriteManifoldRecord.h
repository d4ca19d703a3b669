#pragma once
// Writer for the manifold record (start tag 2000 to end tag 2999): the
// block's size, units and the document's drawing, sorting and calculation
// options, and sample contents for it. By default every field is written
// with its tag, whatever its value, and a flag tag for every member of the
// flag sets (False where the member is not set); the options select the
// design program's own layout (see WriteOptions.h).
#include "document/Manifolds.h"
#include "testkit/WriteOptions.h"

namespace qv::samples {

// A viewer file keeps only the stamp, the file type, the units and decimals,
// the block size and how depths and thread lengths are measured.
void WriteManifoldRecord(TQuorvaneFile& HF, const TManifold& x, const TWriteOptions& o = {});

// Distinct non-default values in every field the record carries: the stamp,
// the header data, the hole-number and engraving options and the wall
// thickness. The script text height and the library file have no tag in
// this record and keep their defaults; the sort options keep their default
// members, which a file can only add to.
void FillSampleManifoldRecord(TManifold& x);

} // namespace qv::samples
