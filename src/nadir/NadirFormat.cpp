#include "nadir/NadirFormat.h"

#include "base/NumberFormat.h"
#include "lp/LpEngine.h"

#include <chrono>
#include <cmath>

namespace {

constexpr int kFixedPrecision = 6;
constexpr int kFixedDecimals = 3;
constexpr qint64 kMillisecondsPerDay = 86400000;
// The box is rewritten at most this often; lp_solve asks about Cancel far
// more often, so the port is asked at most every kAskInterval.
constexpr qint64 kShowInterval = 100;
constexpr qint64 kAskInterval = 50;

} // namespace

QString FixedText(Real x)
{
    if (!std::isfinite(static_cast<double>(x)))
        return GeneralFormat(x, kFixedPrecision);
    const Real magnitude = std::fabs(x);
    const int integerDigits = magnitude < 1 ? 0 : static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    if (integerDigits > kFixedPrecision)
        return GeneralFormat(x, kFixedPrecision);
    const int decimals = std::min(kFixedDecimals, kFixedPrecision - integerDigits);
    const Real scale = std::pow(Real(10), decimals);
    const Real rounded = std::round(x * scale) / scale;
    QString out = QString::number(static_cast<double>(rounded), 'f', kFixedDecimals);
    if (out == QLatin1String("-0.000"))
        out.remove(0, 1);
    return out;
}

QString TotalTimeText(const QString& prefix, double days)
{
    if (!(days >= 0))
        days = 0;
    const qint64 ms = static_cast<qint64>(std::llround(days * static_cast<double>(kMillisecondsPerDay)))
                      % kMillisecondsPerDay;
    const qint64 h = ms / 3600000;
    const qint64 m = ms / 60000 % 60;
    const double s = static_cast<double>(ms % 60000) / 1000.0;
    return prefix + QStringLiteral("%1h %2m %3 s").arg(h).arg(m).arg(QString::number(s, 'f', 3));
}

StoppableRun::StoppableRun(Progress& progress, LpEngine& engine, const QString& title, const QString& text)
    : progress_(progress), engine_(engine), lastText_(text), started_(0)
{
    started_ = now();
    progress_.begin(title, text);
    engine_.control.cancelRequested = [this] {
        const qint64 t = now();
        if (!cancelled_ && t - lastAsked_ >= kAskInterval) {
            lastAsked_ = t;
            cancelled_ = !progress_.update(lastText_);
        }
        return cancelled_;
    };
}

StoppableRun::~StoppableRun()
{
    engine_.control.cancelRequested = nullptr;
    progress_.done();
}

qint64 StoppableRun::now() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() - started_;
}

bool StoppableRun::update(const QString& text, bool force)
{
    if (cancelled_)
        return true;
    const qint64 t = now();
    if (!force && t - lastShown_ < kShowInterval)
        return false;
    lastShown_ = lastAsked_ = t;
    lastText_ = text;
    cancelled_ = !progress_.update(text);
    return cancelled_;
}
