#include "flow/Commands.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

FlowState stateOf(Phase phase, int p, MethodKind method = MethodKind::None)
{
    FlowState s;
    s.phase = phase;
    s.objectives = p;
    s.method = method;
    return s;
}

struct Row {
    const char* name;
    FlowState state;
    std::vector<Cmd> available;
    std::vector<Cmd> unavailable;
};

class CommandStatesTable : public ::testing::TestWithParam<Row> {};

TEST_P(CommandStatesTable, OffersWhatThePhaseAllows)
{
    const CommandStates s = CommandStatesFor(GetParam().state);
    for (Cmd c : GetParam().available)
        EXPECT_TRUE(s.isAvailable(c)) << toString(c);
    for (Cmd c : GetParam().unavailable)
        EXPECT_FALSE(s.isAvailable(c)) << toString(c);
    // A key that two offered commands share would run neither.
    std::map<std::string, Cmd> keys;
    for (int i = 0; i < kCommandCount; ++i) {
        const Cmd c = static_cast<Cmd>(i);
        const std::string key = commandInfo(c).shortcut;
        if (key.empty() || !s.isAvailable(c))
            continue;
        const auto [it, added] = keys.emplace(key, c);
        EXPECT_TRUE(added) << key << ": " << toString(c) << " and " << toString(it->second);
    }
}

FlowState icwAt(int iteration, bool contractedVmaRun)
{
    FlowState s = stateOf(Phase::Method, 3, MethodKind::Icw);
    s.methodIteration = iteration;
    s.contractedVmaRun = contractedVmaRun;
    return s;
}

FlowState withLimits(FlowState s)
{
    s.limitsActive = true;
    s.storeAll = true;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Phases, CommandStatesTable,
    ::testing::Values(
        Row{"Empty", stateOf(Phase::Empty, 0),
            {Cmd::New, Cmd::Open, Cmd::OpenMps, Cmd::OpenVlp, Cmd::Exit, Cmd::HelpContents},
            {Cmd::Edit, Cmd::SaveVlp, Cmd::ComputePayoff, Cmd::WeightedSum, Cmd::StoreCurrent, Cmd::ViewWeightSpace}},
        Row{"Problem", stateOf(Phase::Problem, 3), {Cmd::Edit, Cmd::SaveVlp, Cmd::ComputePayoff, Cmd::ImportSolutions},
            {Cmd::WeightedSum, Cmd::ViewPayoff, Cmd::Stem1st, Cmd::BtnWeightedSum}},
        Row{"TwoObjectives", stateOf(Phase::Solutions, 2),
            {Cmd::WeightedSum, Cmd::RefPoint, Cmd::EConstraint, Cmd::VMA, Cmd::ViewWeightSpace, Cmd::Stem1st,
             Cmd::RaceStart, Cmd::Icw1st, Cmd::StoreCurrent, Cmd::ExportData, Cmd::EstimateNadirEA,
             Cmd::EstimateNadirEARuns, Cmd::WorstFeasible},
            {Cmd::ComputePayoff, Cmd::NadirMethod2, Cmd::NadirMethod1, Cmd::StemNew, Cmd::RaceExit, Cmd::IcwNew}},
        Row{"FourObjectives", stateOf(Phase::Solutions, 4),
            {Cmd::NadirMethod2, Cmd::AskTolerance, Cmd::EstimateNadirEA, Cmd::EstimateNadirEARuns, Cmd::WorstFeasible},
            {Cmd::ViewWeightSpace, Cmd::BtnWeightSpace, Cmd::NadirMethod1}},
        Row{"StoreAll", withLimits(stateOf(Phase::Solutions, 3)), {Cmd::BtnLimitations},
            {Cmd::StoreCurrent, Cmd::BtnStore}},
        Row{"Stem", stateOf(Phase::Method, 3, MethodKind::Stem), {Cmd::StemNew, Cmd::StemExit, Cmd::Stem1st, Cmd::ViewPayoff},
            {Cmd::WeightedSum, Cmd::ImposeLimitations, Cmd::BtnLimitations, Cmd::RaceStart, Cmd::Icw1st,
             Cmd::ViewWeightSpace, Cmd::BtnWeightSpace, Cmd::NadirMethod2, Cmd::EstimateNadirEA,
             Cmd::WorstFeasible}},
        Row{"Race", stateOf(Phase::Method, 4, MethodKind::ParetoRace),
            {Cmd::RaceChangeDir, Cmd::RaceFix, Cmd::RaceRelax, Cmd::RaceExit, Cmd::RacePanel},
            {Cmd::StemNew, Cmd::Stem1st, Cmd::Icw1st, Cmd::BtnRefPoint, Cmd::RaceStart}},
        Row{"Icw", icwAt(1, false), {Cmd::Icw1st, Cmd::IcwNew, Cmd::IcwExit, Cmd::ViewWeightSpace},
            {Cmd::IcwContractedVma, Cmd::Stem1st, Cmd::RaceStart, Cmd::BtnEConstraint}},
        Row{"IcwContracted", icwAt(2, false), {Cmd::IcwContractedVma, Cmd::IcwNew, Cmd::Icw1st}, {Cmd::VMA}},
        Row{"IcwAfterContractedVma", icwAt(3, true), {Cmd::IcwExit},
            {Cmd::IcwContractedVma, Cmd::IcwNew, Cmd::Icw1st}}),
    [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

TEST(CommandStates, CheckedFollowTheOptionsAndTheMethod)
{
    FlowState s = stateOf(Phase::Method, 3, MethodKind::ParetoRace);
    s.limitsActive = true;
    s.askTolerance = true;
    const CommandStates states = CommandStatesFor(s);
    EXPECT_TRUE(states.isChecked(Cmd::BtnLimitations));
    EXPECT_TRUE(states.isChecked(Cmd::AskTolerance));
    EXPECT_TRUE(states.isChecked(Cmd::RaceMenu));
    EXPECT_FALSE(states.isChecked(Cmd::StemMenu));
}

// Leaving a method gives back exactly the commands of the solutions phase,
// whatever the method and the number of objectives.
TEST(CommandStates, LeavingAMethodRestoresTheSolutionsPhase)
{
    for (int p = 1; p <= 5; ++p) {
        for (MethodKind method : {MethodKind::Stem, MethodKind::ParetoRace, MethodKind::Icw}) {
            const CommandStates before = CommandStatesFor(stateOf(Phase::Solutions, p));
            const CommandStates during = CommandStatesFor(stateOf(Phase::Method, p, method));
            EXPECT_NE(during, before) << p << " " << int(method);
            // A method recorded without the method phase changes nothing.
            EXPECT_EQ(CommandStatesFor(stateOf(Phase::Solutions, p, method)), before) << p << " " << int(method);
        }
    }
}

} // namespace
