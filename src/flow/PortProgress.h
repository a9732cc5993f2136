#pragma once

#include "lp/LpEngine.h"
#include "base/Progress.h"
#include "base/UiPort.h"

// A long computation's progress through the port: the progress bar, the
// box with Cancel (which also lets pending window events run), the views
// redrawn while the run goes on and what it tells on the way. Whatever the
// run left open is closed at the end.
class PortProgress final : public Progress {
public:
    explicit PortProgress(UiPort& ui) : ui_(ui) {}
    ~PortProgress() override { done(); }
    PortProgress(const PortProgress&) = delete;
    PortProgress& operator=(const PortProgress&) = delete;

    void step(int position, int maximum) override;
    void done() override;
    void begin(const QString& title, const QString& text) override;
    bool update(const QString& text) override;
    void changed(UiEvent event) override;
    void tell(const Notices& notices) override;

private:
    UiPort& ui_;
    bool barShown_ = false;
    bool boxOpen_ = false;
};

// Shows the message of a failed solve (nothing for Optimal).
void ShowSolveStatus(UiPort& ui, SolveStatus status);

// Shows what a computation had to tell; its status.
template <class Result>
SolveStatus ShownStatus(UiPort& ui, const Result& result)
{
    ShowNotices(ui, result.notices);
    return result.status;
}
