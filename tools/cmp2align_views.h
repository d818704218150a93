// The two views of the "Cmp-2Align" page that can grow large: the report box
// and the grid of conserved columns. Both show a ComparisonResult and make a
// row's text only when the view draws it, so a comparison of 1 000 sequences
// by 10 000 columns (a report of about 140 MB of digits, a grid of ten
// million cells) shows at once and holds no copy of either. GUI thread only.
#pragma once

#include <QAbstractListModel>
#include <QAbstractTableModel>
#include <QFont>
#include <QSize>
#include <QStyledItemDelegate>

#include <memory>

#include "tools/cmp2align_routines.h"

class QFontMetrics;

namespace tulvarine {

// The report box: one row per report line.
class ReportLinesModel : public QAbstractListModel {
    Q_OBJECT

public:
    // Shows text until the first comparison; a view drawing the rows in font.
    ReportLinesModel(const QString& text, const QFont& font, QObject* parent);

    void Show(std::shared_ptr<const ComparisonResult> result);
    // The lines of rows, in report order, joined by line feeds (a copy).
    QString LinesText(QModelIndexList rows) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    void SizeRowsFor(const QStringList& shortLines, std::size_t longestColumnLine);

    QStringList initialLines_;
    QFont font_;
    std::shared_ptr<const ComparisonResult> result_;
    int rows_;       // asked for once per row when a view lays the rows out
    QSize rowSize_;  // every row: the widest line
};

// Draws a report line. Of a long line only the part within the view is laid
// out: a line of 5 000 numbers costs what a short one does.
class ReportLineDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The grid: a first row without data, a first column of IDs, and the residues
// of the conserved columns on their colours.
class ConservedGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ConservedGridModel(QObject* parent);

    void Show(std::shared_ptr<const ComparisonResult> result);
    // Every cell's font: "Courier New", bold, 16 pixels high.
    const QFont& CellFont() const { return font_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::shared_ptr<const ComparisonResult> result_;
    int rows_ = 0, columns_ = 0;
    QFont font_;
};

}  // namespace tulvarine
