#include "flow/Commands.h"

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
    {Cmd::MenuHelp, "Help", "", "", false},
    {Cmd::New, "&New", "Ctrl+N", "", false},
    {Cmd::Open, "&Open", "Ctrl+O", "", false},
    {Cmd::OpenMps, "Open MPS", "", "", false},
    {Cmd::Edit, "&Edit", "Ctrl+E", "", false},
    {Cmd::Exit, "E&xit", "", "", false},
    {Cmd::ComputePayoff, "Compute Pay-off table", "", "", false},
    {Cmd::ImportSolutions, "Import solutions from disk", "", "", false},
    {Cmd::WeightedSum, "&weighted-sum of the objectives", "", "", false},
    {Cmd::RefPoint, "min distance to &reference point", "", "", false},
    {Cmd::EConstraint, " &e-constraint technique", "", "", false},
    {Cmd::NadirMenu, "The true &Nadir values", "", "", false},
    {Cmd::NadirMethod1, "Method &1", "", "", false},
    {Cmd::NadirMethod2, "Method &2", "", "", false},
    {Cmd::AskTolerance, "Ask tolerance", "", "", true},
    {Cmd::EstimateNadirEA, "Estimate the Nadir point (EA)", "", "", false},
    {Cmd::VMA, "VMA-Vector Maximum Approach", "", "", false},
    {Cmd::ImposeLimitations, "&Impose limitations on objectives", "", "", false},
    {Cmd::StemMenu, "STEM", "", "", true},
    {Cmd::Stem1st, "1st Iteration", "", "", false},
    {Cmd::StemNew, "New iteration", "", "", false},
    {Cmd::StemExit, "Exit STEM", "", "", false},
    {Cmd::RaceMenu, "PARETO RACE", "", "", true},
    {Cmd::RaceStart, "Start", "", "", false},
    {Cmd::RaceChangeDir, "Change Direction", "", "", false},
    {Cmd::RaceFix, "Fix Obj. function", "", "", false},
    {Cmd::RaceRelax, "Relax Obj. function", "", "", false},
    {Cmd::RaceExit, "Exit Pareto Race", "", "", false},
    {Cmd::IcwMenu, "ICW", "", "", true},
    {Cmd::Icw1st, "1st iteration", "", "", false},
    {Cmd::IcwNew, "New iteration", "", "", false},
    {Cmd::IcwContractedVma, "Contracted VMA", "", "", false},
    {Cmd::IcwExit, "Exit ICW", "", "", false},
    {Cmd::ViewPayoff, "View Pay-off table", "", "", false},
    {Cmd::ViewBasketGraphs, "View Graphs of solution Basket", "", "", false},
    {Cmd::ViewBasketValues, "View Values of solution Basket", "", "", false},
    {Cmd::ViewWeightSpace, "View Weight Space", "", "", false},
    {Cmd::StoreCurrent, "Store current solution in Basket", "", "", false},
    {Cmd::DeleteSolution, "Delete a solution from Basket", "", "", false},
    {Cmd::StoreOptions, "Options to store solutions in Basket", "", "", false},
    {Cmd::ExportData, "Export data to a file in disk", "", "", false},
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
        menu(Cmd::MenuFile, {item(Cmd::New), item(Cmd::Open), item(Cmd::OpenMps), item(Cmd::Edit),
                             separator(), item(Cmd::Exit)}),
        menu(Cmd::MenuFirst, {item(Cmd::ComputePayoff), separator(), item(Cmd::ImportSolutions)}),
        menu(Cmd::MenuCompute,
             {item(Cmd::WeightedSum), item(Cmd::RefPoint), item(Cmd::EConstraint), separator(),
              menu(Cmd::NadirMenu, {item(Cmd::NadirMethod1), item(Cmd::NadirMethod2), separator(),
                                    item(Cmd::AskTolerance)}),
              item(Cmd::EstimateNadirEA), separator(), item(Cmd::VMA)}),
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
