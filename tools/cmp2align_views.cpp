#include "tools/cmp2align_views.h"

#include <QBrush>
#include <QColor>
#include <QFontMetrics>

#include <algorithm>
#include <climits>

#include "platform/box_text.h"

namespace tulvarine {

namespace {
int ClampedInt(std::size_t value) { return int(std::min<std::size_t>(value, INT_MAX)); }
}  // namespace

ReportLinesModel::ReportLinesModel(const QString& text, const QFont& font, QObject* parent)
    : QAbstractListModel(parent), initialLines_(text.split('\n')), font_(font) {
    SizeRowsFor(initialLines_, 0);
}

void ReportLinesModel::Show(std::shared_ptr<const ComparisonResult> result) {
    beginResetModel();
    result_ = std::move(result);
    // Lines of digits are sized by their length; the few others are measured.
    QStringList shortLines;
    for (std::size_t line = 0, count = result_->ReportLineCount(); line < count; ++line)
        if (!result_->IsColumnLine(line)) shortLines << platform::BytesToBoxText(result_->ReportLine(line));
    const AlignmentComparison& comparison = result_->Comparison();
    SizeRowsFor(shortLines, std::max(comparison.LongestColumnString(Alignment::kFirst),
                                     comparison.LongestColumnString(Alignment::kSecond)));
    endResetModel();
}

void ReportLinesModel::SizeRowsFor(const QStringList& shortLines, std::size_t longestColumnLine) {
    const QFontMetrics metrics(font_);
    int digit = metrics.horizontalAdvance('-');
    for (char c = '0'; c <= '9'; ++c) digit = std::max(digit, metrics.horizontalAdvance(QLatin1Char(c)));
    long long width = (long long)digit * (long long)longestColumnLine;
    for (const QString& line : shortLines) width = std::max<long long>(width, metrics.horizontalAdvance(line));
    rowSize_ = QSize(int(std::min<long long>(width + 2 * digit, INT_MAX / 2)), metrics.lineSpacing() + 2);
}

QString ReportLinesModel::LinesText(QModelIndexList rows) const {
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList lines;
    for (const QModelIndex& row : rows) lines << data(row, Qt::DisplayRole).toString();
    return lines.join('\n');
}

int ReportLinesModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return result_ ? ClampedInt(result_->ReportLineCount()) : int(initialLines_.size());
}

QVariant ReportLinesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::SizeHintRole) return rowSize_;
    if (role != Qt::DisplayRole) return {};
    if (!result_) return initialLines_.value(index.row());
    return platform::BytesToBoxText(result_->ReportLine(std::size_t(index.row())));
}

ConservedGridModel::ConservedGridModel(QObject* parent) : QAbstractTableModel(parent), font_("Courier New") {
    font_.setBold(true);
    font_.setPixelSize(16);
}

void ConservedGridModel::Show(std::shared_ptr<const ComparisonResult> result) {
    beginResetModel();
    result_ = std::move(result);
    endResetModel();
}

int ConservedGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !result_ ? 0 : ClampedInt(result_->GridRows());
}

int ConservedGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !result_ ? 0 : ClampedInt(result_->GridColumns());
}

QVariant ConservedGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !result_) return {};
    const auto row = std::size_t(index.row()), column = std::size_t(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return platform::BytesToBoxText(result_->GridText(row, column));
    case Qt::FontRole:
        return font_;
    case Qt::TextAlignmentRole:
        return column == 0 ? QVariant() : QVariant(Qt::AlignCenter);
    case Qt::BackgroundRole: {
        if (row == 0 || column == 0) return {};
        const CellColour colour = ResidueColour(result_->GridResidue(row, column));
        return QBrush(QColor(colour.red, colour.green, colour.blue));
    }
    default:
        return {};
    }
}

}  // namespace tulvarine
