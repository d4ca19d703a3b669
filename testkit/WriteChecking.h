#pragma once
// Writers for the checking, assembly and bill-of-materials records, with
// sample values in every field.
#include "model/AssemblyLists.h"
#include "model/BillOfMaterials.h"
#include "model/CalculateSettings.h"
#include "model/CheckerLists.h"
#include "model/MountingHoleDefinitions.h"
#include "stream/QuorvaneFiles.h"

namespace qv::samples {

// Whole records, start tag to end tag, every field and every nested record.
void WriteCalculateSettings(TQuorvaneFile& HF, const TCalculateSettingsNew& x);
void WriteWallThicknessRange(TQuorvaneFile& HF, const TWallThicknessRange& x);
void WriteAssembly(TQuorvaneFile& HF, const TAssembly& x);
void WriteAlternateValve(TQuorvaneFile& HF, const TAlternateValve& x);
void WriteCross(TQuorvaneFile& HF, const TCross& x);
void WriteCheckers(TQuorvaneFile& HF, const TCheckerList& x);
void WriteChecker(TQuorvaneFile& HF, const TChecker& x);
void WriteBillOfMaterials(TQuorvaneFile& HF, const TBillOfMaterials& x);
void WriteUserBOM(TQuorvaneFile& HF, const TUserBOM& x);
void WriteMountingHoleDefinition(TQuorvaneFile& HF, const TMountingHoleDefinition& x);

// Distinct non-default values in every field that a file carries, with a
// few nested records; `seed` varies them. TUserBOM's Mode and Tag are not
// stored in files and stay at their defaults.
void FillSampleCalculateSettings(TCalculateSettingsNew& x, int seed = 1);
void FillSampleAssembly(TAssembly& x, int seed = 1);
void FillSampleCross(TCross& x, int seed = 1);
void FillSampleCheckers(TCheckerList& x, int seed = 1);
void FillSampleBillOfMaterials(TBillOfMaterials& x, int seed = 1);
void FillSampleMountingHoleDefinition(TMountingHoleDefinition& x, int seed = 1);

} // namespace qv::samples
