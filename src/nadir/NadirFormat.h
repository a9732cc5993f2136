#pragma once

#include "base/Numeric.h"
#include "base/Progress.h"

#include <QString>

struct LpEngine;

// The number and time texts of the nadir procedures' boxes and reports.

// Fixed notation with 3 decimals after rounding to 6 significant digits
// ("199.900", "12345.700"); a value with more than 6 integer digits in the
// general format instead.
QString FixedText(Real x);

// prefix + h + "h " + m + "m " + seconds ("#0.000") + " s" for a duration
// in days, decoded as a time of day.
QString TotalTimeText(const QString& prefix, double days);

// A long computation the person may stop: the progress's Cancel box,
// rewritten at most every 0.1 s, and every solve of the engine asked to stop
// once Cancel was pressed. Closes the box and releases the engine on
// destruction.
class StoppableRun {
public:
    StoppableRun(Progress& progress, LpEngine& engine, const QString& title, const QString& text);
    ~StoppableRun();
    StoppableRun(const StoppableRun&) = delete;
    StoppableRun& operator=(const StoppableRun&) = delete;

    // Shows `text` when an update is due; true once Cancel was pressed.
    bool update(const QString& text, bool force = false);
    // Moves the progress bar.
    void step(int position, int maximum) { progress_.step(position, maximum); }
    bool cancelled() const { return cancelled_; }

private:
    Progress& progress_;
    LpEngine& engine_;
    qint64 lastShown_ = -1000;
    qint64 lastAsked_ = -1000;
    bool cancelled_ = false;
    QString lastText_;
    qint64 now() const;
    qint64 started_;
};
