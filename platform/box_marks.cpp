#include "platform/box_marks.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <algorithm>

namespace tulvarine::platform {

BoxMarks::BoxMarks(QTextEdit* box) : QWidget(box), box_(box), viewport_(box->viewport()) {
    setObjectName("box marks");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(viewport_->geometry());
    raise();
    viewport_->installEventFilter(this);
    connect(box->document(), &QTextDocument::contentsChange, this, &BoxMarks::OnContentsChange);
    connect(box, &QTextEdit::selectionChanged, this, qOverload<>(&QWidget::update));
    connect(box->verticalScrollBar(), &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    connect(box->horizontalScrollBar(), &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    show();
}

BoxMarks& BoxMarks::Of(QTextEdit* box) {
    for (QObject* child : box->children())
        if (auto* marks = dynamic_cast<BoxMarks*>(child)) return *marks;
    return *new BoxMarks(box);
}

void BoxMarks::SetMarks(std::vector<Stretch> stretches, std::vector<QTextCharFormat> formats) {
    stretches_ = std::move(stretches);
    formats_ = std::move(formats);
    update();
}

void BoxMarks::Clear() {
    if (stretches_.empty()) return;
    stretches_.clear();
    update();
}

const QTextCharFormat* BoxMarks::FormatAt(int position) const {
    auto it = std::upper_bound(stretches_.begin(), stretches_.end(), position,
                               [](int p, const Stretch& s) { return p < s.start; });
    if (it == stretches_.begin()) return nullptr;
    --it;
    return position < it->start + it->length ? &formats_[std::size_t(it->format)] : nullptr;
}

// Keeps each mark on its characters: the removed part of a mark goes, what
// follows moves by the change, and an insertion inside a mark splits it.
void BoxMarks::OnContentsChange(int position, int removed, int added) {
    if (stretches_.empty() || (removed == 0 && added == 0)) return;
    const int delta = added - removed;
    const int removedEnd = position + removed;
    std::vector<Stretch> kept;
    kept.reserve(stretches_.size() + 1);
    for (const Stretch& s : stretches_) {
        const int end = s.start + s.length;
        if (s.start < position) kept.push_back({s.start, std::min(end, position) - s.start, s.format});
        if (end > removedEnd) {
            const int start = std::max(s.start, removedEnd);
            kept.push_back({start + delta, end - start, s.format});
        }
    }
    stretches_ = std::move(kept);
    update();
}

bool BoxMarks::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        setGeometry(viewport_->geometry());
    return QWidget::eventFilter(watched, event);
}

namespace {

// The line of layout that holds position (counted in its block), by halving:
// a block of 100 000 characters has thousands of lines.
QTextLine LineHolding(const QTextLayout* layout, int position) {
    int low = 0, high = layout->lineCount() - 1;
    if (high < 0) return {};
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (layout->lineAt(middle).textStart() <= position) low = middle;
        else high = middle - 1;
    }
    return layout->lineAt(low);
}

// The first line of layout that reaches below y (layout coordinates).
int FirstLineBelow(const QTextLayout* layout, qreal y) {
    int low = 0, high = layout->lineCount();
    while (low < high) {
        const int middle = (low + high) / 2;
        const QTextLine line = layout->lineAt(middle);
        if (line.y() + line.height() <= y) low = middle + 1;
        else high = middle;
    }
    return low;
}

}  // namespace

// Finds the marks in view from the lines' places, without the box's hit test,
// which takes tens of milliseconds inside a block of a million characters.
void BoxMarks::paintEvent(QPaintEvent*) {
    if (stretches_.empty()) return;
    QTextDocument* document = box_->document();
    const QPointF origin(-box_->horizontalScrollBar()->value(), -box_->verticalScrollBar()->value());
    const qreal viewTop = -origin.y(), viewBottom = viewTop + height();
    const QTextCursor cursor = box_->textCursor();
    const int selectionStart = cursor.selectionStart(), selectionEnd = cursor.selectionEnd();
    const QColor base = viewport_->palette().color(QPalette::Base);

    // The line of a position in document coordinates; false where the box has
    // not laid its text out yet (always after what it shows).
    auto lineOf = [&](int position, QTextLine& line, qreal& top) {
        const QTextBlock block = document->findBlock(position);
        const QTextLayout* layout = block.isValid() ? block.layout() : nullptr;
        if (layout == nullptr || layout->lineCount() == 0) return false;
        line = LineHolding(layout, position - block.position());
        top = layout->position().y() + line.y();
        return true;
    };

    QPainter painter(this);
    // One piece of a mark inside one block, line by line in view: the cells are
    // cleared (but their first pixel column, where the caret may stand) and the
    // same glyphs drawn again in the mark's colour, underlined when the mark
    // says so. Drawn glyph run by glyph run rather than through the block's
    // layout: a layout of 100 000 characters takes a tenth of a second to draw
    // a handful of format ranges.
    auto paintPiece = [&](const QTextBlock& block, int start, int end, int format) {
        const QTextCharFormat& look = formats_[std::size_t(format)];
        painter.setPen(look.foreground().style() == Qt::NoBrush ? box_->palette().color(QPalette::Text)
                                                                : look.foreground().color());
        const QTextLayout* layout = block.layout();
        const QPointF blockOrigin = origin + layout->position();
        const int relEnd = end - block.position();
        int lineNumber = LineHolding(layout, start - block.position()).lineNumber();
        lineNumber = std::max(lineNumber, FirstLineBelow(layout, viewTop - layout->position().y()));
        for (; lineNumber < layout->lineCount(); ++lineNumber) {
            const QTextLine line = layout->lineAt(lineNumber);
            const qreal top = blockOrigin.y() + line.y();
            const int p = std::max(start - block.position(), line.textStart());
            const int lineEnd = std::min(relEnd, line.textStart() + line.textLength());
            if (top >= height() || p >= relEnd) break;
            if (lineEnd <= p) continue;
            const qreal x0 = blockOrigin.x() + line.cursorToX(p), x1 = blockOrigin.x() + line.cursorToX(lineEnd);
            painter.fillRect(QRectF(x0 + 1, top, x1 - x0 - 1, line.height()), base);
            const QList<QGlyphRun> runs = line.glyphRuns(p, lineEnd - p);
            for (const QGlyphRun& run : runs) painter.drawGlyphRun(blockOrigin, run);
            if (look.fontUnderline() && !runs.isEmpty()) {
                const QRawFont font = runs.front().rawFont();
                const qreal thickness = std::max<qreal>(1, font.lineThickness());
                painter.fillRect(QRectF(x0, top + line.ascent() + font.underlinePosition(), x1 - x0, thickness),
                                 painter.pen().color());
            }
        }
    };
    // A stretch cut at block ends (the separator between two blocks is never marked).
    auto paintSpan = [&](int start, int end, int format) {
        while (start < end) {
            const QTextBlock spanBlock = document->findBlock(start);
            if (!spanBlock.isValid() || spanBlock.layout() == nullptr || spanBlock.layout()->lineCount() == 0) break;
            const int blockEnd = spanBlock.position() + spanBlock.length() - 1;
            const int pieceEnd = std::min(end, blockEnd);
            if (pieceEnd > start) paintPiece(spanBlock, start, pieceEnd, format);
            start = blockEnd + 1;
        }
    };
    // The first mark that reaches into view, then every mark until one starts below it.
    auto visible = std::partition_point(stretches_.begin(), stretches_.end(), [&](const Stretch& s) {
        QTextLine line;
        qreal top = 0;
        return lineOf(s.start + s.length - 1, line, top) && top + line.height() <= viewTop;
    });
    for (; visible != stretches_.end(); ++visible) {
        QTextLine line;
        qreal top = 0;
        if (!lineOf(visible->start, line, top) || top >= viewBottom) break;
        const int start = visible->start, end = visible->start + visible->length;
        if (selectionStart < selectionEnd) {  // selected text keeps the selection's look
            paintSpan(start, std::min(end, selectionStart), visible->format);
            paintSpan(std::max(start, selectionEnd), end, visible->format);
        } else {
            paintSpan(start, end, visible->format);
        }
    }
}

}  // namespace tulvarine::platform
