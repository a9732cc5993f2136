#pragma once

#include "base/UiPort.h"
#include "flow/PortProgress.h"
#include "lp/EfficientBases.h"
#include "nadir/EaNadir.h"
#include "nadir/ExactNadir.h"
#include "nadir/Vma.h"
#include "solutions/Computation.h"
#include "nadir/NadirMessages.h"
#include "solutions/Payoff.h"

// The computations as the flow runs them on a port: their progress through
// PortProgress and what their results have to tell shown afterwards, so that
// a test reads the same messages, status texts and events the person would.

template <typename Result>
Result Shown(UiPort& ui, Result result)
{
    ShowNotices(ui, result.notices);
    return result;
}

inline SolveStatus ComputePayoffShown(Workspace& ws, LpEngine& engine, UiPort& ui)
{
    PortProgress progress(ui);
    return Shown(ui, ComputePayoff(ws, engine, progress)).status;
}

inline VmaResult RunVmaShown(Workspace& ws, LpEngine& engine, UiPort& ui, const VmaOptions& options = VmaOptions{})
{
    PortProgress progress(ui);
    const VmaResult result = RunVma(ws, engine, progress, options);
    if (result.walked)
        ui.notify(UiEvent::BasketViewsShown);
    return Shown(ui, result);
}

inline ExactNadirResult ExactNadirShown(Workspace& ws, LpEngine& engine, UiPort& ui, int signedK,
                                        ReportDocument& report,
                                        const ExactNadirOptions& options = ExactNadirOptions{})
{
    PortProgress progress(ui);
    return Shown(ui, ExactNadir(ws, engine, progress, signedK, report, options));
}

inline EaRunResult EaEstimateNadirShown(Workspace& ws, LpEngine& engine, UiPort& ui, const EaParameters& parameters,
                                        ReportDocument& report, const EaOptions& options = EaOptions{})
{
    PortProgress progress(ui);
    return Shown(ui, EaEstimateNadir(ws, engine, progress, parameters, report, options));
}

// With the flow's question before the basket is cut back.
inline EaRunResult EaMultipleRunsShown(Workspace& ws, LpEngine& engine, UiPort& ui, const EaParameters& parameters,
                                       int runs, ReportDocument& report, const EaOptions& options = EaOptions{})
{
    const int discarded = EaRunsDiscardCount(ws);
    if (discarded > 0 && runs >= 1
        && ui.ask(QString::fromUtf8(msg::kEaRunsDiscard).arg(discarded)) != Answer::Yes)
        return EaRunResult{};
    PortProgress progress(ui);
    return Shown(ui, EaMultipleRuns(ws, engine, progress, parameters, runs, report, options));
}
