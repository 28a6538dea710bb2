#include "platform/settings_text.h"

#include <QStringDecoder>

namespace orvalen {

QString decode_settings_text(QByteArray bytes, bool* clean, bool* hadBom)
{
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    if (bom)
        bytes.remove(0, 3);
    if (hadBom)
        *hadBom = bom;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    *clean = !utf8.hasError();
    if (*clean)
        return text;
    QStringDecoder gb("GB18030", QStringDecoder::Flag::Stateless);
    if (!gb.isValid())
        return text;
    text = gb.decode(bytes);
    *clean = !gb.hasError();
    return text;
}

} // namespace orvalen
