#include "platform/rich_box.h"

#include <QPalette>
#include <QStyle>
#include <QTextEdit>

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
    box->document()->setDefaultFont(FontOf(format, box->document()->defaultFont()));
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, format.colour == CharFormat::kAutomaticColour
                                         ? box->style()->standardPalette().color(QPalette::Text)
                                         : FromBgr(format.colour));
    box->setPalette(palette);
    // Typed text takes the cursor's format; without this it would keep an old one.
    const bool blocked = box->blockSignals(true);
    box->setCurrentCharFormat(ToTextCharFormat(format));
    box->blockSignals(blocked);
}

void AcceptPlainTextDrops(QTextEdit* box) {
    box->setAcceptRichText(false);
    box->setAcceptDrops(true);
}

}  // namespace tulvarine::platform
