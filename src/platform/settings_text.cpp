#include "platform/settings_text.h"

#include <QStringDecoder>

namespace orvalen {

namespace {

// Counts the well-formed multi-byte UTF-8 sequences and the bytes that are
// not part of one, to tell a damaged UTF-8 file from a file in a legacy code
// page (whose non-ASCII bytes are nearly never well-formed UTF-8).
void count_utf8(const QByteArray& bytes, qsizetype* wellFormed, qsizetype* stray)
{
    *wellFormed = 0;
    *stray = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        if (c >= 0xC2 && c <= 0xDF)
            length = 2;
        else if (c >= 0xE0 && c <= 0xEF)
            length = 3;
        else if (c >= 0xF0 && c <= 0xF4)
            length = 4;
        bool ok = length > 0 && i + length <= n;
        for (int k = 1; ok && k < length; ++k)
            ok = (p[i + k] & 0xC0) == 0x80;
        if (ok) {
            ++*wellFormed;
            i += length;
        } else {
            ++*stray;
            ++i;
        }
    }
}

} // namespace

QString decodeSettingsText(QByteArray bytes, bool* clean, bool* hadBom)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        // A file saved as UTF-16 (as the Windows registry editor exports).
        if (hadBom)
            *hadBom = false;
        const bool bigEndian = bytes.startsWith("\xFE\xFF");
        QString text;
        text.reserve((bytes.size() - 2) / 2);
        for (qsizetype i = 2; i + 1 < bytes.size(); i += 2) {
            const auto hi = uchar(bytes.at(bigEndian ? i : i + 1));
            const auto lo = uchar(bytes.at(bigEndian ? i + 1 : i));
            text += QChar(char16_t((hi << 8) | lo));
        }
        // An odd byte at the end, or halves of a pair that do not match.
        *clean = bytes.size() % 2 == 0 && QString::fromUtf8(text.toUtf8()) == text;
        return text;
    }
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    if (bom)
        bytes.remove(0, 3);
    if (hadBom)
        *hadBom = bom;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    *clean = !utf8.hasError();
    if (*clean)
        return text;
    qsizetype wellFormed = 0, stray = 0;
    count_utf8(bytes, &wellFormed, &stray);
    if (wellFormed == 0 || stray > wellFormed) {
        QStringDecoder gb("GB18030", QStringDecoder::Flag::Stateless);
        if (gb.isValid()) {
            const QString legacy = gb.decode(bytes);
            if (!gb.hasError()) {
                *clean = true;
                return legacy;
            }
        }
    }
    // UTF-8 with a few damaged bytes: each one reads as U+FFFD, the rest as
    // written.
    return text;
}

} // namespace orvalen
