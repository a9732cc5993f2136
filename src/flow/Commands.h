#pragma once

#include "workspace/Workspace.h"

#include <array>
#include <cstdint>
#include <vector>

// Every command of the main window (menus, menu items, tool buttons) and the
// areas whose visibility the command flow decides. The GUI creates one action
// or widget per entry and applies the states the flow computes.
enum class Cmd {
    Separator = -1,
    // Menus of the menu bar.
    MenuFile, MenuFirst, MenuCompute, MenuLimits, MenuMethods, MenuSolutions, MenuHelp,
    // File.
    New, Open, OpenMps, OpenVlp, SaveVlp, Edit, Exit,
    // First.
    ComputePayoff, ImportSolutions,
    // Compute.
    WeightedSum, RefPoint, EConstraint, NadirMenu, NadirMethod1, NadirMethod2, AskTolerance,
    EstimateNadirEA, EstimateNadirEARuns, WorstFeasible, VMA,
    // Limits.
    ImposeLimitations,
    // Methods.
    StemMenu, Stem1st, StemNew, StemExit,
    RaceMenu, RaceStart, RaceChangeDir, RaceFix, RaceRelax, RaceExit,
    IcwMenu, Icw1st, IcwNew, IcwContractedVma, IcwExit,
    // Solutions.
    ViewPayoff, ViewBasketGraphs, ViewBasketValues, ViewWeightSpace,
    StoreCurrent, DeleteSolution, StoreOptions, ExportData,
    // Help.
    HelpContents, About,
    // SEARCH options panel.
    BtnWeightedSum, BtnSaveText, BtnPrint, BtnDelete, BtnStore, BtnLimitations, BtnCopy,
    BtnRefPoint, BtnEConstraint,
    // VIEW options panel.
    BtnBasketGraphs, BtnBasketValues, BtnWeightSpace, BtnColour, ViewLastN,
    // Areas of the window.
    TabBar, BarPicture, ReportPane, RacePanel,
    Count
};

constexpr int kCommandCount = static_cast<int>(Cmd::Count);

const char* toString(Cmd cmd);

struct CommandInfo {
    Cmd cmd;
    const char* caption;  // "&" marks the keyboard letter; empty for areas
    const char* shortcut; // portable key text ("Ctrl+N"), empty when none
    const char* hint;     // tool tip of a button, empty when none
    bool checkable;
};

const CommandInfo& commandInfo(Cmd cmd);

// One entry of the menu bar: a command, a separator, or a submenu (a command
// with children).
struct MenuEntry {
    Cmd cmd;
    std::vector<MenuEntry> children;
};

// The menu bar in order: each top entry is a menu with its items.
const std::vector<MenuEntry>& mainMenuLayout();
// The buttons of the two tab panels, in order.
const std::vector<Cmd>& searchPanelButtons();
const std::vector<Cmd>& viewPanelButtons();

// Phases of the main window.
enum class Phase { Empty, Problem, Solutions, Method };

const char* toString(Phase phase);

// Everything the state of the commands depends on.
struct FlowState {
    Phase phase = Phase::Empty;
    int objectives = 0;
    MethodKind method = MethodKind::None; // MethodKind::None outside Phase::Method
    bool limitsActive = false;
    bool storeAll = false;   // every computed solution is stored: no store command
    bool askTolerance = false;
    int methodIteration = 0;    // of the active method
    bool contractedVmaRun = false; // the contracted VMA ran in this ICW session
};

struct CommandState {
    bool visible = true;
    bool enabled = true;
    bool checked = false;
};

// Visible, enabled and checked state of every command.
class CommandStates {
public:
    CommandStates();
    const CommandState& operator[](Cmd cmd) const { return states_[index(cmd)]; }
    void setVisible(Cmd cmd, bool visible) { states_[index(cmd)].visible = visible; }
    void setEnabled(Cmd cmd, bool enabled) { states_[index(cmd)].enabled = enabled; }
    void setChecked(Cmd cmd, bool checked) { states_[index(cmd)].checked = checked; }
    bool isVisible(Cmd cmd) const { return states_[index(cmd)].visible; }
    bool isEnabled(Cmd cmd) const { return states_[index(cmd)].enabled; }
    bool isChecked(Cmd cmd) const { return states_[index(cmd)].checked; }
    // A command the user can reach: enabled, visible, and inside visible,
    // enabled menus.
    bool isAvailable(Cmd cmd) const;

    bool operator==(const CommandStates& other) const;
    bool operator!=(const CommandStates& other) const { return !(*this == other); }

private:
    static int index(Cmd cmd) { return static_cast<int>(cmd); }
    std::array<CommandState, kCommandCount> states_;
};

// The visible, enabled and checked state of every command in `state`.
CommandStates CommandStatesFor(const FlowState& state);
