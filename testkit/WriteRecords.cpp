#include "testkit/WriteRecords.h"

#include "testkit/WriteChecking.h"
#include "testkit/WriteCutOuts.h"
#include "testkit/WriteDocumentation.h"
#include "testkit/WriteGroups.h"
#include "testkit/WriteLayouts.h"
#include "testkit/WritePlotSettings.h"
#include "testkit/WriteValves.h"

namespace qv::samples {

void WriteDocumentationRecords(TQuorvaneFile& HF, const TManifold& m, bool viewerFile)
{
    if (viewerFile) return;
    WriteDocumentation(HF, m);
    for (const auto& p : m.fPlotSettings) WritePlotSettings(HF, *p);
    WriteLayoutList(HF, m.fLayoutList);
}

void WriteCheckingRecords(TQuorvaneFile& HF, const TManifold& m, bool viewerFile)
{
    if (!viewerFile) {
        for (const auto& a : m.fAssemblyList) WriteAssembly(HF, *a);
        for (const auto& c : m.fCrossList) WriteCross(HF, *c);
    }
    WriteCalculateSettings(HF, m.fCalculateSettingsNew);
    for (const auto& d : m.fMountingHoleDefinitionList) WriteMountingHoleDefinition(HF, *d);
    WriteCheckers(HF, m.fCheckers);
}

void WriteRecordsBeforeHoles(TQuorvaneFile& HF, const TManifold& m, bool viewerFile)
{
    WriteDocumentationRecords(HF, m, viewerFile);
    for (const auto& g : m.FGroupList) WriteGroup(HF, *g);
    WriteCutOuts(HF, m.fCutOutList);
    for (const auto& t : m.fHoleTextList) WriteHoleText(HF, *t);
    WriteCheckingRecords(HF, m, viewerFile);
}

void WriteRecordsAfterHoles(TQuorvaneFile& HF, const TManifold& m) { WriteBillOfMaterials(HF, m.fBillOfMaterials); }

void FillSampleRecords(TManifold& m)
{
    FillSampleDocumentation(m);
    m.fPlotSettings.Clear();
    FillSamplePlotSettings(*m.fPlotSettings.Add());
    FillSamplePlotSettings(*m.fPlotSettings.Add());
    m.fPlotSettings.Last()->FData.PlotMode = psmAssembly;
    FillSampleLayoutList(m.fLayoutList);
    m.FGroupList.Clear();
    FillSampleGroup(*m.FGroupList.Add());
    FillSampleGroup(*m.FGroupList.Add());
    m.FGroupList.Last()->FData.Code = "Second";
    m.fCutOutList.Clear();
    FillSampleCutOut(*m.fCutOutList.Add());
    FillSampleCutOut(*m.fCutOutList.Add());
    m.fCutOutList.Last()->fData.FaceNumber = 5;
    m.fHoleTextList.Clear();
    FillSampleHoleText(*m.fHoleTextList.Add());
    FillSampleHoleText(*m.fHoleTextList.Add());
    m.fHoleTextList.Last()->fdata.Caption = "Second|text";
    m.fAssemblyList.Clear();
    FillSampleAssembly(*m.fAssemblyList.Add(), 1);
    FillSampleAssembly(*m.fAssemblyList.Add(), 2);
    m.fCrossList.Clear();
    FillSampleCross(*m.fCrossList.Add(), 1);
    FillSampleCross(*m.fCrossList.Add(), 2);
    FillSampleCalculateSettings(m.fCalculateSettingsNew);
    m.fMountingHoleDefinitionList.Clear();
    FillSampleMountingHoleDefinition(*m.fMountingHoleDefinitionList.Add(), 1);
    FillSampleMountingHoleDefinition(*m.fMountingHoleDefinitionList.Add(), 2);
    FillSampleCheckers(m.fCheckers);
    FillSampleBillOfMaterials(m.fBillOfMaterials);
}

} // namespace qv::samples
