#include "platform/box_text.h"

#include <QStringDecoder>

#include "model/line_ends.h"

namespace tulvarine::platform {

namespace {
bool FitsLatin1(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() > 0xFF) return false;
    return true;
}
}  // namespace

QString BytesToBoxText(std::string_view bytes, bool* latin1) {
    const std::string lf = WithLfLineEnds(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(lf.data(), qsizetype(lf.size())));
    const bool invalid = utf8.hasError();
    if (invalid) text = QString::fromLatin1(lf.data(), qsizetype(lf.size()));
    if (latin1 != nullptr) *latin1 = invalid;
    return text;
}

QString ShownBoxText(std::string_view bytes) { return BytesToBoxText(ShownLines(bytes)); }

std::string BoxTextToBytes(const QString& text, bool latin1) {
    const QByteArray bytes = (latin1 && FitsLatin1(text)) ? text.toLatin1() : text.toUtf8();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

}  // namespace tulvarine::platform
