#include "base/RealParser.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>

namespace {

// strtold follows LC_NUMERIC; reals always use ".".
locale_t CLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return loc;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// [+-] digits [. digits] [(e|E) [+-] digits], with at least one mantissa
// digit. Keeps out what strtold would also take: "nan", "inf", hex floats.
bool isDecimalReal(const std::string& s)
{
    const std::size_t n = s.size();
    std::size_t i = 0;
    if (i < n && (s[i] == '+' || s[i] == '-'))
        ++i;
    int digits = 0;
    for (; i < n && isDigit(s[i]); ++i)
        ++digits;
    if (i < n && s[i] == '.')
        for (++i; i < n && isDigit(s[i]); ++i)
            ++digits;
    if (digits == 0)
        return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-'))
            ++i;
        int expDigits = 0;
        for (; i < n && isDigit(s[i]); ++i)
            ++expDigits;
        if (expDigits == 0)
            return false;
    }
    return i == n;
}

std::optional<Real> parseAscii(const std::string& text)
{
    if (!isDecimalReal(text))
        return std::nullopt;
    char* end = nullptr;
    const Real value = strtold_l(text.c_str(), &end, CLocale());
    if (end != text.c_str() + text.size())
        return std::nullopt;
    if (!(std::fabs(value) <= std::numeric_limits<double>::max()))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<Real> ParseReal(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    std::string ascii;
    ascii.reserve(std::size_t(trimmed.size()));
    for (const QChar c : trimmed) {
        if (c.unicode() >= 0x80)
            return std::nullopt;
        ascii.push_back(char(c.unicode()));
    }
    return parseAscii(ascii);
}

std::optional<Real> ParseReal(QByteArrayView text)
{
    const QByteArrayView trimmed = text.trimmed();
    return parseAscii(std::string(trimmed.data(), std::size_t(trimmed.size())));
}
