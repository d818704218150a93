#include "platform/rich_box.h"

#include <QDropEvent>
#include <QMimeData>
#include <QPalette>
#include <QStyle>
#include <QTextEdit>
#include <QUrl>

namespace tulvarine::platform {

namespace {
QColor FromBgr(unsigned colour) { return QColor(int(colour & 0xff), int((colour >> 8) & 0xff), int((colour >> 16) & 0xff)); }

QFont FontOf(const CharFormat& format, QFont font) {
    font.setFamily(QString::fromStdString(format.face));
    if (format.size > 0) font.setPointSize(format.size);
    font.setBold((format.effects & CharFormat::kBold) != 0);
    font.setItalic((format.effects & CharFormat::kItalic) != 0);
    font.setUnderline((format.effects & CharFormat::kUnderline) != 0);
    font.setStrikeOut((format.effects & CharFormat::kStrikeOut) != 0);
    return font;
}
}  // namespace

QTextCharFormat ToTextCharFormat(const CharFormat& format) {
    QTextCharFormat out;
    out.setFontFamilies({QString::fromStdString(format.face)});
    if (format.size > 0) out.setFontPointSize(format.size);
    out.setFontWeight((format.effects & CharFormat::kBold) != 0 ? QFont::Bold : QFont::Normal);
    out.setFontItalic((format.effects & CharFormat::kItalic) != 0);
    out.setFontUnderline((format.effects & CharFormat::kUnderline) != 0);
    out.setFontStrikeOut((format.effects & CharFormat::kStrikeOut) != 0);
    if (format.colour != CharFormat::kAutomaticColour) out.setForeground(FromBgr(format.colour));
    return out;
}

void ApplyDefaultCharFormat(QTextEdit* box, const CharFormat& format) {
    // Only what differs is set: a new default font lays the whole text out
    // again, a tenth of a second for a box of 100 000 characters on one line.
    const QFont font = FontOf(format, box->document()->defaultFont());
    if (!(font == box->document()->defaultFont())) box->document()->setDefaultFont(font);
    QPalette palette = box->palette();
    const QColor text = format.colour == CharFormat::kAutomaticColour
                            ? box->style()->standardPalette().color(QPalette::Text)
                            : FromBgr(format.colour);
    if (palette.color(QPalette::Text) != text) {
        palette.setColor(QPalette::Text, text);
        box->setPalette(palette);
    }
    // Typed text takes the cursor's format; without this it would keep an old one.
    const QTextCharFormat typed = ToTextCharFormat(format);
    if (box->currentCharFormat() != typed) {
        const bool blocked = box->blockSignals(true);
        box->setCurrentCharFormat(typed);
        box->blockSignals(blocked);
    }
}

void AcceptPlainTextDrops(QTextEdit* box) {
    box->setAcceptRichText(false);
    box->setAcceptDrops(true);
}

namespace {
// Takes drops of local files off a box's viewport.
class FileDropFilter : public QObject {
public:
    FileDropFilter(QTextEdit* box, std::function<void(const std::string&)> handler)
        : QObject(box), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (FirstFile(drag->mimeData()).isEmpty()) break;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString path = FirstFile(drop->mimeData());
            if (path.isEmpty()) break;
            drop->acceptProposedAction();
            handler_(path.toStdString());
            return true;
        }
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static QString FirstFile(const QMimeData* data) {
        if (data == nullptr || !data->hasUrls()) return {};
        for (const QUrl& url : data->urls())
            if (url.isLocalFile()) return url.toLocalFile();
        return {};
    }

    std::function<void(const std::string&)> handler_;
};
}  // namespace

void OnFileDropped(QTextEdit* box, std::function<void(const std::string& path)> handler) {
    box->viewport()->installEventFilter(new FileDropFilter(box, std::move(handler)));
}

}  // namespace tulvarine::platform
