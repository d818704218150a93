// The viewer grid of "Cmp-2Seq" as a table model over one comparison: rows
// "Seq1" and "Seq2", one column per residue, each cell coloured by its base.
// The marker row and the row names are the header sections, so they stay in
// place while the grid scrolls. The model holds the comparison itself, not a
// cell per residue, so 100 000 columns cost nothing to show. GUI thread.
#pragma once

#include <QAbstractTableModel>

#include <memory>

#include "model/pair_comparison.h"

namespace tulvarine {

class SequencePairModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows comparison in place of whatever was shown.
    void Show(std::shared_ptr<const PairComparison> comparison);
    // The comparison shown; null before the first.
    const std::shared_ptr<const PairComparison>& Shown() const { return shown_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::shared_ptr<const PairComparison> shown_;
};

}  // namespace tulvarine
