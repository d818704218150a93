// The "Cmp-2Align" page: compares two alignments of the same sequences, shows
// the report, the proportion of conserved columns and the grid of conserved
// columns, and saves that grid as FASTA. The work is in
// tools/cmp2align_routines.h, the large views in tools/cmp2align_views.h.
#pragma once

#include <memory>

#include "tools/tool_page.h"

class QLineEdit;
class QModelIndex;
class QPlainTextEdit;

namespace tulvarine {

class ComparisonResult;
class ConservedGridModel;
class ReportLinesModel;

class Cmp2AlignPage : public ToolPage {
    Q_OBJECT

public:
    explicit Cmp2AlignPage(const ToolPageContext& context);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnCmp2AlignScan1Click();
    void OnCmp2AlignScan2Click();
    // loads counts the files chosen for view; GUI thread only.
    void LoadAlignmentFile(QLineEdit* pathBox, QPlainTextEdit* view, int& loads);
    void OnCmp2AlignRunClick();
    void OnCmp2AlignSaveClick();
    void OnCmp2AlignGridCellChanged(const QModelIndex& current);
    // Shows a finished comparison. GUI thread.
    void Show(std::shared_ptr<const ComparisonResult> result);

    ReportLinesModel* report_;
    ConservedGridModel* grid_;
    std::shared_ptr<const ComparisonResult> shown_;  // what the grid shows; GUI thread only
    bool reportAtEnd_ = false;                       // the report keeps to its last line
    int loads_[2] = {0, 0};                          // files chosen for the left and right views
};

}  // namespace tulvarine
