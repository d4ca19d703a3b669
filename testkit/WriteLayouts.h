#pragma once
// Writers of the drawing-layout records (layouts with their attributes, text
// blocks and insert blocks) and sample contents for them in which every
// stored field differs from its default and from the other fields.
#include "model/LayoutLists_MNF.h"
#include "stream/QuorvaneFiles.h"

namespace qv::samples {

// Each writer writes the start tag, every stored field with its tag, nested
// records and the end tag.
void WriteAttribute(TQuorvaneFile& HF, const TAttribute& x);
void WriteTextBlock(TQuorvaneFile& HF, const TTextBlock& x);
void WriteInsertBlock(TQuorvaneFile& HF, const TInsertBlock& x);
void WriteLayout(TQuorvaneFile& HF, const TLayout& x);
void WriteLayoutList(TQuorvaneFile& HF, const TLayoutList& x);

// Sample contents; variant makes list items differ from each other. The
// insert block's working values that files never hold (BoxFromHDF,
// UseBoxFromHDF, FaceScale, pictures) keep their defaults.
void FillSampleAttribute(TAttribute& x, int variant = 0);
void FillSampleTextBlock(TTextBlock& x, int variant = 0);
void FillSampleInsertBlock(TInsertBlock& x, int variant = 0);
// A layout with two insert blocks, one text block of two lines and two attributes.
void FillSampleLayout(TLayout& x, int variant = 0);
// Two layouts, a production and an assembly sheet.
void FillSampleLayoutList(TLayoutList& x);

} // namespace qv::samples
