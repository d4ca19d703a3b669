#pragma once
// Drawing (plot) set-ups of the design program. Only the set-up mode is
// modelled so far; the rest of the record is skipped when read.
#include "OwnedList.h"
#include "QuorvaneFiles.h"
#include "Reflect.h"

namespace qv {

QV_ENUM(TPlotSetupMode, psmPattern, psmProduction, psmAssembly)

struct TPlotSettingsData {
    TPlotSetupMode PlotMode = psmProduction;
    template <class F> void Fields(F&& f) const { f("PlotMode", PlotMode); }
};

class TPlotSettings {
public:
    TPlotSettingsData FData;
    void Clear() { FData = TPlotSettingsData{}; }
    void Assign(const TPlotSettings& Source) { FData = Source.FData; }
    void Load(TQuorvaneFile& HF) { HF.SkipRecord(59999); } // not read yet
    template <class F> void Fields(F&& f) const { f("FData", FData); }
};

class TPlotSettingsList : public TOwnedList<TPlotSettings> {};

} // namespace qv
