// The "Cmp-2Seq" page: two sequences compared base by base or codon by codon
// in the viewer grid, with the differences marked in both boxes and counted in
// the report, the codon table saved as text, and "Align and Compare" through
// MUSCLE. The work is in model/pair_comparison.h and tools/cmp2seq_routines.h.
//
// One job runs at a time (a comparison, or an alignment and its comparison);
// a comparison asked for meanwhile (a code change, a switch to the page) runs
// once when the job ends, with the controls as they are then.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/pair_comparison.h"
#include "tools/tool_page.h"

class QTextEdit;

namespace tulvarine {

class SequencePairModel;

class Cmp2SeqPage : public ToolPage {
    Q_OBJECT

public:
    explicit Cmp2SeqPage(const ToolPageContext& context);

    // Every switch to the page after start-up compares the two boxes again.
    void OnShown() override;

private:
    void OnCmp2SeqCompareClick();
    void OnCmp2SeqCodeChanged();
    void OnCmp2SeqDnaClick();
    void OnCmp2SeqCodonClick();
    void OnCmp2SeqClearSeq1Click();
    void OnCmp2SeqClearSeq2Click();
    void OnCmp2SeqSeq1Changed();
    void OnCmp2SeqSeq2Changed();
    void OnCmp2SeqGridCellChanged(const QModelIndex& current);
    void OnCmp2SeqSaveClick();
    void OnCmp2SeqAlignCompareClick();
    void OnSequenceFileDropped(QTextEdit* box, const std::string& path);

    // Compares now, or once the running job has ended. With bothBoxes, only
    // when both boxes hold text at the moment it starts.
    void RequestComparison(bool bothBoxes);
    void StartComparison(bool bothBoxes);
    // A job (a comparison, or an alignment and its comparison) holds "Compare"
    // and "Align and Compare"; jobs take turns.
    RunControls JobControls(QWidget* run) const;
    void AfterJob();

    PairComparisonSettings ReadComparisonSettings() const;
    // Shows a comparison of the boxes as settings held them.
    void ShowComparison(std::shared_ptr<const PairComparison> comparison, const PairComparisonSettings& settings);
    void MarkBox(QTextEdit* box, const std::vector<BoxMark>& marks, const std::string& compared);
    void ShowCodonLengthBalloon();
    void ApplySeqBoxFormat();

    SequencePairModel* grid_;  // owned by the page
    std::optional<bool> needsBoth_;    // a comparison asked for and not started yet: whether it needs both boxes
    bool focusRunAfterJob_ = false;    // the page was shown during a job: "Compare" gets the focus after it
    bool balloonAfterJob_ = false;     // the job's comparison could not count codons
};

}  // namespace tulvarine
