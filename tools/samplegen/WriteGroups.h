#pragma once
// Record writers for groups, contours, hole texts and manufacturing notes, in
// the layout the design program reads: start tag, every field with its tag
// (written even when it holds its default, so round trips cover every tag),
// end tag. The FillSample functions put a distinct non-default value in every
// field, so a field read from the wrong tag shows.
#include "ContourLists.h"
#include "GroupLists.h"
#include "HoleTextLists.h"
#include "ManufacturingNotes.h"

namespace qv {
class TQuorvaneFile;
}

namespace qv::samples {

void WriteGroup(TQuorvaneFile& HF, const TGroup& x);           // 5000 ... 5999
void WriteContour(TQuorvaneFile& HF, const TContour& x);       // 6000 ... 6999
void WriteHoleText(TQuorvaneFile& HF, const THoleText& x);     // 34000 ... 34999
void WriteManufacturingNote(TQuorvaneFile& HF, const TManufacturingNote& x); // 32300 ... 32399

void FillSampleGroup(TGroup& x);
void FillSampleContour(TContour& x);
void FillSampleHoleText(THoleText& x);
void FillSampleManufacturingNote(TManufacturingNote& x);

} // namespace qv::samples
