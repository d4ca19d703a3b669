#pragma once
// Record writers for groups, contours, hole texts and manufacturing notes, in
// the layout the design program reads: start tag, the fields with their tags,
// end tag. By default every field is written, even when it holds its default,
// so round trips cover every tag; the options select the design program's own
// layout instead (see WriteOptions.h). The FillSample functions put a
// distinct non-default value in every field, so a field read from the wrong
// tag shows.
#include "model/ContourLists.h"
#include "model/GroupLists.h"
#include "model/HoleTextLists.h"
#include "model/ManufacturingNotes.h"
#include "testkit/WriteOptions.h"

namespace qv::samples {

void WriteGroup(TQuorvaneFile& HF, const TGroupData& x, const TWriteOptions& o = {});       // 5000 ... 5999
void WriteContour(TQuorvaneFile& HF, const TXYPoint& x);                                    // 6000 ... 6999
void WriteHoleText(TQuorvaneFile& HF, const THoleTextData& x, const TWriteOptions& o = {}); // 34000 ... 34999
void WriteManufacturingNote(TQuorvaneFile& HF, const TManufacturingNote& x,
                            const TWriteOptions& o = {}); // 32300 ... 32399

inline void WriteGroup(TQuorvaneFile& HF, const TGroup& x, const TWriteOptions& o = {}) { WriteGroup(HF, x.FData, o); }
inline void WriteContour(TQuorvaneFile& HF, const TContour& x) { WriteContour(HF, x.FData); }
inline void WriteHoleText(TQuorvaneFile& HF, const THoleText& x, const TWriteOptions& o = {})
{
    WriteHoleText(HF, x.fdata, o);
}

void FillSampleGroup(TGroup& x);
void FillSampleContour(TContour& x);
void FillSampleHoleText(THoleText& x);
void FillSampleManufacturingNote(TManufacturingNote& x);

} // namespace qv::samples
