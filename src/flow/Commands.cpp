#include "flow/Commands.h"

#include "workspace/Workspace.h"

#include <cassert>

namespace {

// Indexed by Cmd; the order must follow the enumeration.
const CommandInfo kInfos[kCommandCount] = {
    {Cmd::MenuFile, "&File", "", "", false},
    {Cmd::MenuFirst, "Firs&t", "", "", false},
    {Cmd::MenuCompute, "&Compute", "", "", false},
    {Cmd::MenuLimits, "&Limits", "", "", false},
    {Cmd::MenuMethods, "&Methods", "", "", false},
    {Cmd::MenuSolutions, "&Solutions", "", "", false},
    {Cmd::MenuHelp, "&Help", "", "", false},
    {Cmd::New, "&New", "Ctrl+N", "", false},
    {Cmd::Open, "&Open", "Ctrl+O", "", false},
    {Cmd::OpenMps, "Open MPS", "", "", false},
    {Cmd::OpenVlp, "Open VLP ...", "", "", false},
    {Cmd::SaveVlp, "Save as VLP ...", "", "", false},
    {Cmd::Edit, "&Edit", "Ctrl+E", "", false},
    {Cmd::Exit, "E&xit", "", "", false},
    {Cmd::ComputePayoff, "Compute Pay-off table", "Ctrl+T", "", false},
    {Cmd::ImportSolutions, "Import solutions from disk", "Ctrl+I", "", false},
    {Cmd::WeightedSum, "&weighted-sum of the objectives", "Ctrl+1", "", false},
    {Cmd::RefPoint, "min distance to &reference point", "Ctrl+2", "", false},
    {Cmd::EConstraint, " &e-constraint technique", "Ctrl+3", "", false},
    {Cmd::NadirMenu, "The true &Nadir values", "", "", false},
    {Cmd::NadirMethod1, "Method &1", "", "", false},
    {Cmd::NadirMethod2, "Method &2", "", "", false},
    {Cmd::AskTolerance, "Ask tolerance", "", "", true},
    {Cmd::EstimateNadirEA, "Estimate the Nadir point (EA)", "", "", false},
    {Cmd::EstimateNadirEARuns, "Estimate the Nadir point (EA): independent runs...", "", "", false},
    {Cmd::WorstFeasible, "Worst feasible values", "", "", false},
    {Cmd::VMA, "VMA-Vector Maximum Approach", "Ctrl+Shift+V", "Compute ALL basic efficient solutions", false},
    {Cmd::ImposeLimitations, "&Impose limitations on objectives", "Ctrl+L", "", false},
    {Cmd::StemMenu, "STEM", "", "", true},
    {Cmd::Stem1st, "1st Iteration", "Shift+F5", "", false},
    {Cmd::StemNew, "New iteration", "F5", "", false},
    {Cmd::StemExit, "Exit STEM", "", "", false},
    {Cmd::RaceMenu, "PARETO RACE", "", "", true},
    {Cmd::RaceStart, "Start", "Shift+F6", "", false},
    {Cmd::RaceChangeDir, "Change Direction", "F6", "", false},
    {Cmd::RaceFix, "Fix Obj. function", "", "", false},
    {Cmd::RaceRelax, "Relax Obj. function", "", "", false},
    {Cmd::RaceExit, "Exit Pareto Race", "", "", false},
    {Cmd::IcwMenu, "ICW", "", "", true},
    {Cmd::Icw1st, "1st iteration", "Shift+F7", "", false},
    {Cmd::IcwNew, "New iteration", "F7", "", false},
    {Cmd::IcwContractedVma, "Contracted VMA", "", "Computes all basic efficient solutions attainable with the contracted cone ", false},
    {Cmd::IcwExit, "Exit ICW", "", "", false},
    {Cmd::ViewPayoff, "View Pay-off table", "Ctrl+Shift+T", "", false},
    {Cmd::ViewBasketGraphs, "View Graphs of solution Basket", "Ctrl+G", "", false},
    {Cmd::ViewBasketValues, "View Values of solution Basket", "Ctrl+Shift+G", "", false},
    {Cmd::ViewWeightSpace, "View Weight Space", "Ctrl+Shift+W", "", false},
    {Cmd::StoreCurrent, "Store current solution in Basket", "Ctrl+S", "", false},
    {Cmd::DeleteSolution, "Delete a solution from Basket", "", "", false},
    {Cmd::StoreOptions, "Options to store solutions in Basket", "", "", false},
    {Cmd::ExportData, "Export data to a file in disk", "Ctrl+Shift+E", "", false},
    {Cmd::HelpContents, "Quilvane Help", "F1", "", false},
    {Cmd::About, "About ...", "", "", false},
    {Cmd::BtnWeightedSum, "Weighted sum", "", "Optimize weighted-sum", false},
    {Cmd::BtnSaveText, "Save", "", "Save text in disk", false},
    {Cmd::BtnPrint, "Print", "", "Print text", false},
    {Cmd::BtnDelete, "Delete", "", "Delete a solution from the Basket", false},
    {Cmd::BtnStore, "Store", "", "Store current solution in Basket", false},
    {Cmd::BtnLimitations, "Limitations", "", "Impose limitations on objective values", true},
    {Cmd::BtnCopy, "Copy", "", "Copy selected text to Clipboard", false},
    {Cmd::BtnRefPoint, "Ref. point", "", "Project Reference point", false},
    {Cmd::BtnEConstraint, "e-constraint", "", "e-constraint technique", false},
    {Cmd::BtnBasketGraphs, "Graphs", "", "Graphs of solutions in Basket", false},
    {Cmd::BtnBasketValues, "Values", "", "Values of  solutions in Basket", false},
    {Cmd::BtnWeightSpace, "Weight space", "", "View the Weight Space", false},
    {Cmd::BtnColour, "Colour", "", "Fill the last solution with a new color", false},
    {Cmd::ViewLastN, "View the last", "", "Show bars for the last # solutions", false},
    {Cmd::TabBar, "", "", "", false},
    {Cmd::BarPicture, "", "", "", false},
    {Cmd::ReportPane, "", "", "", false},
    {Cmd::RacePanel, "", "", "", false},
};

MenuEntry item(Cmd cmd) { return MenuEntry{cmd, {}}; }
MenuEntry separator() { return MenuEntry{Cmd::Separator, {}}; }
MenuEntry menu(Cmd cmd, std::vector<MenuEntry> children) { return MenuEntry{cmd, std::move(children)}; }

std::vector<MenuEntry> buildLayout()
{
    return {
        menu(Cmd::MenuFile, {item(Cmd::New), item(Cmd::Open), item(Cmd::OpenMps), item(Cmd::OpenVlp), item(Cmd::Edit),
                             item(Cmd::SaveVlp),
                             separator(), item(Cmd::Exit)}),
        menu(Cmd::MenuFirst, {item(Cmd::ComputePayoff), separator(), item(Cmd::ImportSolutions)}),
        menu(Cmd::MenuCompute,
             {item(Cmd::WeightedSum), item(Cmd::RefPoint), item(Cmd::EConstraint), separator(),
              menu(Cmd::NadirMenu, {item(Cmd::NadirMethod1), item(Cmd::NadirMethod2), separator(),
                                    item(Cmd::AskTolerance)}),
              item(Cmd::EstimateNadirEA), item(Cmd::EstimateNadirEARuns), item(Cmd::WorstFeasible), separator(),
              item(Cmd::VMA)}),
        menu(Cmd::MenuLimits, {item(Cmd::ImposeLimitations)}),
        menu(Cmd::MenuMethods,
             {menu(Cmd::StemMenu, {item(Cmd::Stem1st), item(Cmd::StemNew), item(Cmd::StemExit)}),
              menu(Cmd::RaceMenu, {item(Cmd::RaceStart), item(Cmd::RaceChangeDir), item(Cmd::RaceFix),
                                   item(Cmd::RaceRelax), item(Cmd::RaceExit)}),
              menu(Cmd::IcwMenu, {item(Cmd::Icw1st), item(Cmd::IcwNew), item(Cmd::IcwContractedVma),
                                  item(Cmd::IcwExit)})}),
        menu(Cmd::MenuSolutions,
             {item(Cmd::ViewPayoff), item(Cmd::ViewBasketGraphs), item(Cmd::ViewBasketValues),
              item(Cmd::ViewWeightSpace), separator(), item(Cmd::StoreCurrent), item(Cmd::DeleteSolution),
              item(Cmd::StoreOptions), separator(), item(Cmd::ExportData)}),
        menu(Cmd::MenuHelp, {item(Cmd::HelpContents), separator(), item(Cmd::About)}),
    };
}

// The menu that holds each command, or Separator for top-level menus, buttons
// and areas.
std::array<Cmd, kCommandCount> buildParents()
{
    std::array<Cmd, kCommandCount> parents;
    parents.fill(Cmd::Separator);
    struct Walker {
        std::array<Cmd, kCommandCount>& parents;
        void walk(Cmd parent, const std::vector<MenuEntry>& entries)
        {
            for (const MenuEntry& e : entries) {
                if (e.cmd == Cmd::Separator)
                    continue;
                parents[static_cast<int>(e.cmd)] = parent;
                walk(e.cmd, e.children);
            }
        }
    } walker{parents};
    walker.walk(Cmd::Separator, mainMenuLayout());
    // The panel buttons live on the tab bar.
    for (Cmd c : searchPanelButtons())
        parents[static_cast<int>(c)] = Cmd::TabBar;
    for (Cmd c : viewPanelButtons())
        parents[static_cast<int>(c)] = Cmd::TabBar;
    return parents;
}

} // namespace

const char* toString(Cmd cmd)
{
    if (cmd == Cmd::Separator)
        return "Separator";
    const int i = static_cast<int>(cmd);
    return i >= 0 && i < kCommandCount ? kInfos[i].caption : "?";
}

const CommandInfo& commandInfo(Cmd cmd)
{
    const CommandInfo& info = kInfos[static_cast<int>(cmd)];
    assert(info.cmd == cmd);
    return info;
}

const std::vector<MenuEntry>& mainMenuLayout()
{
    static const std::vector<MenuEntry> layout = buildLayout();
    return layout;
}

const std::vector<Cmd>& searchPanelButtons()
{
    static const std::vector<Cmd> buttons = {Cmd::BtnWeightedSum, Cmd::BtnSaveText, Cmd::BtnPrint,
                                             Cmd::BtnDelete,      Cmd::BtnStore,    Cmd::BtnLimitations,
                                             Cmd::BtnCopy,        Cmd::BtnRefPoint, Cmd::BtnEConstraint};
    return buttons;
}

const std::vector<Cmd>& viewPanelButtons()
{
    static const std::vector<Cmd> buttons = {Cmd::BtnBasketGraphs, Cmd::BtnBasketValues, Cmd::BtnWeightSpace,
                                             Cmd::BtnColour, Cmd::ViewLastN};
    return buttons;
}

CommandStates::CommandStates() = default;

bool CommandStates::isAvailable(Cmd cmd) const
{
    static const std::array<Cmd, kCommandCount> parents = buildParents();
    for (Cmd c = cmd; c != Cmd::Separator; c = parents[index(c)]) {
        if (!isVisible(c) || !isEnabled(c))
            return false;
    }
    return true;
}

bool CommandStates::operator==(const CommandStates& other) const
{
    for (int i = 0; i < kCommandCount; ++i) {
        const CommandState& a = states_[static_cast<std::size_t>(i)];
        const CommandState& b = other.states_[static_cast<std::size_t>(i)];
        if (a.visible != b.visible || a.enabled != b.enabled || a.checked != b.checked)
            return false;
    }
    return true;
}

const char* toString(Phase phase)
{
    switch (phase) {
    case Phase::Empty: return "Empty";
    case Phase::Problem: return "Problem";
    case Phase::Solutions: return "Solutions";
    case Phase::Method: return "Method";
    }
    return "?";
}

CommandStates CommandStatesFor(const FlowState& state)
{
    CommandStates s;
    const bool solutions = state.phase == Phase::Solutions || state.phase == Phase::Method;
    const bool inMethod = state.phase == Phase::Method;
    const bool weightSpace = state.objectives == 2 || state.objectives == 3;

    // Method 1 of the exact nadir stays out of the window's menu (the batch
    // tool offers it); the evolutionary estimate is offered with the searches.
    s.setEnabled(Cmd::NadirMethod1, false);

    s.setEnabled(Cmd::Edit, state.phase != Phase::Empty);
    s.setEnabled(Cmd::SaveVlp, state.phase != Phase::Empty);
    s.setVisible(Cmd::MenuFirst, state.phase == Phase::Problem);
    for (Cmd menu : {Cmd::MenuCompute, Cmd::MenuLimits, Cmd::MenuMethods, Cmd::MenuSolutions})
        s.setVisible(menu, solutions);
    for (Cmd area : {Cmd::TabBar, Cmd::BarPicture, Cmd::ReportPane})
        s.setVisible(area, solutions);

    // The weight space exists for two and three objectives only; with two
    // the pay-off solutions already give the nadir values.
    s.setVisible(Cmd::ViewWeightSpace, !solutions || weightSpace);
    s.setVisible(Cmd::BtnWeightSpace, !solutions || weightSpace);
    s.setEnabled(Cmd::NadirMenu, !solutions || state.objectives != 2);

    s.setChecked(Cmd::BtnLimitations, state.limitsActive);
    s.setChecked(Cmd::AskTolerance, state.askTolerance);
    s.setEnabled(Cmd::StoreCurrent, !state.storeAll);
    s.setEnabled(Cmd::BtnStore, !state.storeAll);

    // A method restricts the searches to its own steps.
    for (Cmd c : {Cmd::MenuCompute, Cmd::MenuLimits, Cmd::BtnWeightedSum, Cmd::BtnRefPoint, Cmd::BtnEConstraint,
                  Cmd::BtnLimitations})
        s.setEnabled(c, !inMethod);
    const MethodKind method = inMethod ? state.method : MethodKind::None;
    const bool stem = method == MethodKind::Stem, race = method == MethodKind::ParetoRace, icw = method == MethodKind::Icw;
    if ((stem || race) && weightSpace) {
        s.setEnabled(Cmd::BtnWeightSpace, false);
        s.setEnabled(Cmd::ViewWeightSpace, false);
    }
    s.setChecked(Cmd::StemMenu, stem);
    s.setEnabled(Cmd::StemNew, stem);
    s.setEnabled(Cmd::StemExit, stem);
    s.setChecked(Cmd::RaceMenu, race);
    s.setVisible(Cmd::RacePanel, race);
    for (Cmd c : {Cmd::RaceChangeDir, Cmd::RaceFix, Cmd::RaceRelax, Cmd::RaceExit})
        s.setEnabled(c, race);
    // A race runs until it is left; starting it again would lose its place.
    s.setEnabled(Cmd::RaceStart, !race);
    s.setChecked(Cmd::IcwMenu, icw);
    s.setEnabled(Cmd::IcwNew, icw);
    s.setEnabled(Cmd::IcwExit, icw);
    // The contracted VMA needs a contracted cone; once it has run only
    // leaving the method remains.
    s.setEnabled(Cmd::IcwContractedVma, icw && state.methodIteration >= 2 && !state.contractedVmaRun);
    if (icw && state.contractedVmaRun) {
        s.setEnabled(Cmd::Icw1st, false);
        s.setEnabled(Cmd::IcwNew, false);
    }
    s.setEnabled(Cmd::StemMenu, method == MethodKind::None || stem);
    s.setEnabled(Cmd::RaceMenu, method == MethodKind::None || race);
    s.setEnabled(Cmd::IcwMenu, method == MethodKind::None || icw);
    return s;
}
