#pragma once
// Writers of the plot-settings records (with their comment files,
// drilling-list settings and information table), and sample values for every
// field of them.
#include "model/PlotSettings.h"

#include <cstdint>
#include <string_view>

namespace qv {

class TQuorvaneFile;

// Each writer writes the start tag, every field with its tag, the nested
// records and the end tag.
void WritePlotSettings(TQuorvaneFile& HF, const TPlotSettings& x);
void WriteCommentFile(TQuorvaneFile& HF, const TCommentFile& x);
void WriteDrillingListDrawingSettings(TQuorvaneFile& HF, const TDrillingListDrawingSettings& x);
void WriteDrillingListDrawingColumn(TQuorvaneFile& HF, const TDrillingListDrawingColumn& x);
void WriteInfoTable(TQuorvaneFile& HF, const TInfoTable& x);
void WriteInfoTableColumn(TQuorvaneFile& HF, const TInfoTableColumn& x);
void WriteInfoTableSection(TQuorvaneFile& HF, const TInfoTableSection& x);

// The columns of the drilling list, the information table and the revision
// table are one record under three tag ranges: the start tag, the column
// type at +10, the width at +20, the title at +30 and the end tag at +99.
// Their writers above (and the revision column's) write through this one.
void WriteColumnRecord(TQuorvaneFile& HF, uint16_t StartTag, int32_t ColumnType, double ColumnWidth,
                       std::string_view ColumnTitle);

// Sets a value other than the default in every field, with distinct values,
// and adds two comment files, two drilling-list columns and two columns and
// sections of the information table. Fields already set are overwritten.
void FillSamplePlotSettings(TPlotSettings& x);

} // namespace qv
