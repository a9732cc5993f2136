#pragma once

#include "ScriptedUiPort.h"
#include "flow/Session.h"
#include "problem/RandomProblems.h"
#include "workspace/Workspace.h"

#include <QDir>

#include <gtest/gtest.h>

#include <memory>

// A main flow on a seeded random problem (or the given one) with its pay-off
// table computed: the solutions phase in which the methods start.
struct MethodSession {
    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
    Session flow{*ws, ui, ui};

    void load(const Workspace& problem)
    {
        flow.startUp(QDir::currentPath());
        static_cast<ProblemData&>(*ws) = static_cast<const ProblemData&>(problem);
        flow.AccoesNovoProb();
        ui.normalizations.push_back(false);
        flow.compute().computePayoffCommand();
        ASSERT_EQ(flow.phase(), Phase::Solutions) << ui.log.join(QLatin1Char('\n')).toStdString();
        ui.clear();
    }
    void loadRandom(std::uint32_t seed, const RandomProblemSpec& shape) { load(*makeRandomProblem(seed, shape)); }
    QString log() const { return ui.log.join(QLatin1Char('\n')); }
};
