// The "Fas-Filter" page: five filters on one input file, each with its own
// Run button and worker: extraction or removal by query IDs, codon positions,
// the length filter, the gap filter and the alignment statistics. The work is
// in tools/fas_filter_routines.h and tools/fas_filter_gap_routines.h.
#pragma once

#include "tools/run_report.h"
#include "tools/tool_page.h"

namespace tulvarine {

class FasFilterPage : public ToolPage {
    Q_OBJECT

public:
    explicit FasFilterPage(const ToolPageContext& context);

private:
    // The input and the query IDs.
    void OnFilterScanClick();
    void OnFilterIdScanClick();
    void OnFilterClearIdsClick();

    // The three "==>Run2Save" filters, each a routine of its settings that
    // shows its progress in label.
    template <class Settings>
    void RunFilter(QWidget* run, QWidget* label, Settings settings, bool (*routine)(const Settings&, RunReport&));
    void OnFilterIdRunClick();
    void OnFilterCodonRunClick();
    void OnFilterLengthRunClick();

    // The gap filter.
    void OnGapRemoveClick() { ColourGapModes(); }
    void OnGapReplaceClick() { ColourGapModes(); }
    void OnGapRemoveReplaceClick() { ColourGapModes(); }
    void ColourGapModes();
    void OnGapAllColumnsClick();
    void OnGapEndColumnsClick();
    void ColourGapRegions();
    void OnCutRunClick();
    void WarnNoGapRegion();

    // The statistics.
    void OnStatisticsRunClick();
};

}  // namespace tulvarine
