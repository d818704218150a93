#include "tools/cmp2align_views.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <climits>
#include <cmath>

#include "model/residue_colour.h"
#include "platform/box_text.h"

namespace tulvarine {

namespace {
int ClampedInt(std::size_t value) { return int(std::min<std::size_t>(value, INT_MAX)); }
constexpr qsizetype kShortLine = 256;  // characters the usual drawing lays out at once

// The width of a line: ASCII by the advances of its characters (cached by the
// font, no shaping: thousands of IDs are measured in a few milliseconds).
qreal TextWidth(const QFontMetricsF& metrics, const QString& text) {
    qreal width = 0;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) return std::max(width, metrics.horizontalAdvance(text));
        width += metrics.horizontalAdvance(c);
    }
    return width;
}
}  // namespace

ReportLinesModel::ReportLinesModel(const QString& text, const QFont& font, QObject* parent)
    : QAbstractListModel(parent), initialLines_(text.split('\n')), font_(font), rows_(int(initialLines_.size())) {
    SizeRowsFor(initialLines_, 0);
}

void ReportLinesModel::Show(std::shared_ptr<const ComparisonResult> result) {
    beginResetModel();
    result_ = std::move(result);
    rows_ = ClampedInt(result_->ReportLineCount());
    // Lines of digits are sized by their length; the few others are measured.
    QStringList shortLines;
    for (const std::string& line : result_->ShortReportLines()) shortLines << platform::BytesToBoxText(line);
    const AlignmentComparison& comparison = result_->Comparison();
    SizeRowsFor(shortLines, std::max(comparison.LongestColumnString(Alignment::kFirst),
                                     comparison.LongestColumnString(Alignment::kSecond)));
    endResetModel();
}

void ReportLinesModel::SizeRowsFor(const QStringList& shortLines, std::size_t longestColumnLine) {
    const QFontMetricsF metrics(font_);
    qreal digit = metrics.horizontalAdvance('-');
    for (char c = '0'; c <= '9'; ++c) digit = std::max(digit, metrics.horizontalAdvance(QLatin1Char(c)));
    qreal width = digit * qreal(longestColumnLine);
    for (const QString& line : shortLines) width = std::max(width, TextWidth(metrics, line));
    rowSize_ = QSize(int(std::min<qreal>(std::ceil(width + 2 * digit), INT_MAX / 2)), int(std::ceil(metrics.lineSpacing())) + 2);
}

QString ReportLinesModel::LinesText(QModelIndexList rows) const {
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList lines;
    for (const QModelIndex& row : rows) lines << data(row, Qt::DisplayRole).toString();
    return lines.join('\n');
}

int ReportLinesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant ReportLinesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::SizeHintRole) return rowSize_;
    if (role != Qt::DisplayRole) return {};
    if (!result_) return initialLines_.value(index.row());
    return platform::BytesToBoxText(result_->ReportLine(std::size_t(index.row())));
}

void ReportLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    if (item.text.size() <= kShortLine) return QStyledItemDelegate::paint(painter, option, index);
    const QString text = item.text;
    item.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);  // background and selection

    // The characters between the left and right edges of the view, placed by
    // their advances as the usual drawing would place them.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textRect = option.rect.adjusted(margin, 0, -margin, 0);
    const qreal left = 0, right = painter->device()->width();
    const QFontMetricsF metrics(item.font);  // fractional advances, as the text is laid out
    qreal x = textRect.left();
    qsizetype first = 0;
    for (qreal advance; first < text.size() && x + (advance = metrics.horizontalAdvance(text[first])) < left; ++first)
        x += advance;
    qsizetype end = first;
    for (qreal at = x; end < text.size() && at <= right; ++end) at += metrics.horizontalAdvance(text[end]);

    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (option.state & QStyle::State_Active) ? QPalette::Normal
                                                                               : QPalette::Inactive;
    painter->save();
    painter->setFont(item.font);
    painter->setPen(item.palette.color(group, (option.state & QStyle::State_Selected) ? QPalette::HighlightedText
                                                                                      : QPalette::Text));
    painter->drawText(QRectF(x, textRect.top(), right - x + margin, textRect.height()),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text.mid(first, end - first));
    painter->restore();
}

ConservedGridModel::ConservedGridModel(QObject* parent) : QAbstractTableModel(parent), font_("Courier New") {
    font_.setBold(true);
    font_.setPixelSize(16);
}

void ConservedGridModel::Show(std::shared_ptr<const ComparisonResult> result) {
    beginResetModel();
    result_ = std::move(result);
    rows_ = ClampedInt(result_->GridRows());
    columns_ = ClampedInt(result_->GridColumns());
    endResetModel();
}

int ConservedGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int ConservedGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

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
