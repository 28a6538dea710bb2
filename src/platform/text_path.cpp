#include "platform/text_path.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace orvalen {

namespace {
bool is_separator(QChar c) { return c == u'\\' || c == u'/'; }
bool is_blank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }
} // namespace

QString fileNameOfPath(const QString& path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (is_separator(path.at(i)))
            return path.mid(i + 1);
    }
    return path;
}

QString cutAtControlChar(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == 13 || c == 10 || c == 9 || c == 0)
            return text.left(i);
    }
    return text;
}

QString fileExtension(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0)
        return QString();
    for (qsizetype i = path.size() - 1; i > dot; --i) {
        if (is_separator(path.at(i)))
            return QString();
    }
    return path.mid(dot + 1);
}

double textDisplayWidth(const QString& text)
{
    double width = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        const bool narrow = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z')
            || (u >= u'0' && u <= u'9') || u == u'.';
        width += narrow ? 0.5 : 1.0;
    }
    return width;
}

double leadingNumber(const QString& text)
{
    // Blanks may stand before and inside the number ("1 2" reads 12); the
    // number ends at the first other character.
    std::string digits;
    bool negative = false;
    bool seenSign = false;
    bool seenDigit = false;
    bool seenPoint = false;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (is_blank(c))
            continue;
        if ((u == u'-' || u == u'+') && !seenSign && !seenDigit && !seenPoint) {
            seenSign = true;
            negative = u == u'-';
            continue;
        }
        if (u >= u'0' && u <= u'9') {
            seenDigit = true;
            digits.push_back(char(u));
            continue;
        }
        if (u == u'.' && !seenPoint) {
            seenPoint = true;
            digits.push_back('.');
            continue;
        }
        break;
    }
    if (!seenDigit)
        return 0.0;
    double value = 0.0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = std::numeric_limits<double>::infinity();
    return negative ? -value : value;
}

int leadingInt(const QString& text)
{
    const double value = std::nearbyint(leadingNumber(text)); // half to even
    if (std::isnan(value))
        return 0;
    if (value >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(value);
}

} // namespace orvalen
