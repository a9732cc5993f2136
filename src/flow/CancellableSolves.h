#pragma once

#include "lp/LpEngine.h"
#include "base/UiPort.h"
#include "flow/Messages.h"

#include <QElapsedTimer>

// For the lifetime of a computation, every solve of `engine` can be stopped
// by the person: the port shows a box with Cancel once the solve takes a
// while. The port is asked at most every 50 ms, as lp_solve asks often.
class CancellableSolves {
public:
    CancellableSolves(UiPort& ui, LpEngine& engine) : ui_(ui), engine_(engine)
    {
        ui_.beginStoppableTask(QString::fromUtf8(msg::kSolvingTitle), QString::fromUtf8(msg::kSolving));
        clock_.start();
        engine_.control.cancelRequested = [this] {
            if (!cancelled_ && clock_.elapsed() - lastAsked_ >= 50) {
                lastAsked_ = clock_.elapsed();
                cancelled_ = !ui_.updateStoppableTask(QString::fromUtf8(msg::kSolving));
            }
            return cancelled_;
        };
    }
    ~CancellableSolves()
    {
        engine_.control.cancelRequested = nullptr;
        ui_.endStoppableTask();
    }
    CancellableSolves(const CancellableSolves&) = delete;
    CancellableSolves& operator=(const CancellableSolves&) = delete;

private:
    UiPort& ui_;
    LpEngine& engine_;
    QElapsedTimer clock_;
    qint64 lastAsked_ = -50; // the first question goes out at once
    bool cancelled_ = false;
};
