#include "base/NumberFormat.h"

#include "base/UiPort.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kMaxPrecision = 18;
// Digits asked of the C library: far more than the 64-bit mantissa of an
// extended value can make significant, so the digit after the last kept one
// decides the rounding without a second rounding in between.
constexpr int kExactDigits = 40;

// The significant digits of |x| > 0, rounded to `precision` digits, with
// trailing zeros removed; `e` such that |x| ~ 0.d1d2... x 10^e.
std::string RoundedDigits(Real magnitude, int precision, int& e)
{
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.*Le", kExactDigits, magnitude);
    // buf is "d.ddd...e[+-]XX".
    std::string text(buf);
    const std::size_t ePos = text.find('e');
    std::string digits;
    for (std::size_t i = 0; i < ePos; ++i)
        if (text[i] != '.')
            digits.push_back(text[i]);
    e = std::atoi(text.c_str() + ePos + 1) + 1;

    const bool roundUp = digits[static_cast<std::size_t>(precision)] >= '5';
    digits.resize(static_cast<std::size_t>(precision));
    if (roundUp) {
        int i = precision - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
            digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++digits[static_cast<std::size_t>(i)];
        } else {
            // 9.99..96 became 10.0: one digit more in front.
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++e;
        }
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    return digits;
}

} // namespace

QString GeneralFormat(Real x, int precision)
{
    precision = std::clamp(precision, 1, kMaxPrecision);
    if (std::isnan(x))
        return QStringLiteral("NAN");
    if (std::isinf(x))
        return x < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (x == 0)
        return QStringLiteral("0");

    int e = 0;
    const std::string digits = RoundedDigits(std::fabs(x), precision, e);
    const int count = static_cast<int>(digits.size());
    std::string out;
    if (x < 0)
        out.push_back('-');

    if (e >= -3 && e <= precision) {
        if (e <= 0) {
            out += "0.";
            out.append(static_cast<std::size_t>(-e), '0');
            out += digits;
        } else if (e >= count) {
            out += digits;
            out.append(static_cast<std::size_t>(e - count), '0');
        } else {
            out += digits.substr(0, static_cast<std::size_t>(e));
            out.push_back('.');
            out += digits.substr(static_cast<std::size_t>(e));
        }
    } else {
        out.push_back(digits[0]);
        if (count > 1) {
            out.push_back('.');
            out += digits.substr(1);
        }
        out.push_back('E');
        out += std::to_string(e - 1);
    }
    return QString::fromLatin1(out.c_str());
}

QString NumText(Real x)
{
    return GeneralFormat(x, std::fabs(x) > 1e7L ? 8 : 7);
}

QString ElapsedText(double days)
{
    if (!(days >= 0) || !std::isfinite(days))
        return QString();
    constexpr double kMsPerDay = 86400000.0;
    // Whole milliseconds, nearest with halves to even (the default rounding
    // mode), then the time of day within one day.
    const double total = std::nearbyint(days * kMsPerDay);
    const long long ms = static_cast<long long>(std::fmod(total, kMsPerDay));
    const long long hours = ms / 3600000;
    const long long minutes = ms / 60000 % 60;
    const long long seconds = ms / 1000 % 60;
    const long long millis = ms % 1000;
    return QStringLiteral("time: %1h %2m %3s %4ms").arg(hours).arg(minutes).arg(seconds).arg(millis);
}

void ShowElapsedTime(UiPort& ui, double days)
{
    ui.setStatusText(1, ElapsedText(days));
}
