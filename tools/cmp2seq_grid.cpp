#include "tools/cmp2seq_grid.h"

#include <QColor>

#include "model/residue_colour.h"

namespace tulvarine {

namespace {

QColor BaseColour(char c) {
    const CellColour colour = ResidueColour(c);
    return {colour.red, colour.green, colour.blue};
}

// A cell holds one byte; a byte of a longer UTF-8 character cannot be shown alone.
QString CellText(char c) {
    return static_cast<unsigned char>(c) < 0x80 ? QString(QChar(c)) : QString(QChar::ReplacementCharacter);
}

}  // namespace

void SequencePairModel::Show(std::shared_ptr<const PairComparison> comparison) {
    beginResetModel();
    shown_ = std::move(comparison);
    endResetModel();
}

int SequencePairModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

int SequencePairModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !shown_ ? 0 : int(shown_->Columns());
}

QVariant SequencePairModel::data(const QModelIndex& index, int role) const {
    if (!shown_ || !index.isValid()) return {};
    const std::string& row = index.row() == 0 ? shown_->row1 : shown_->row2;
    const auto column = std::size_t(index.column());
    if (column >= row.size()) return {};
    switch (role) {
    case Qt::DisplayRole: return CellText(row[column]);
    case Qt::BackgroundRole: return BaseColour(row[column]);
    case Qt::TextAlignmentRole: return int(Qt::AlignCenter);
    default: return {};
    }
}

QVariant SequencePairModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole || !shown_) return {};
    if (orientation == Qt::Vertical) return section == 0 ? QStringLiteral("Seq1") : QStringLiteral("Seq2");
    const char marker = shown_->markers[std::size_t(section)];
    return marker == ' ' ? QString() : QString(QChar(marker));
}

}  // namespace tulvarine
