#pragma once

// Messages and report lines of the exact nadir values and of the
// evolutionary nadir estimate, exactly as the user sees them.
namespace msg {

// Shared by both procedures.
inline constexpr char kLimitationsDiscarded[] = "Limitations imposed on the o.f. values will be discarded";

// Exact nadir values: prompts of the main window.
inline constexpr char kNadirPromptTitle[] = "Compute the nadir value (%1)";
inline constexpr char kNadirMethod1[] = "Method 1";
inline constexpr char kNadirMethod2[] = "Method 2";
inline constexpr char kNadirPrompt[] = "objective function index";
inline constexpr char kToleranceTitle[] = "Maximum error for the nadir value";
inline constexpr char kTolerancePrompt[] = "Maximum accepted error (%) for the function value";
inline constexpr char kToleranceDefault[] = "0.05";
inline constexpr char kInvalidNumber[] = "Invalid Number!";
inline constexpr char kNadirAlreadyKnown[] = "ALREADY KNOWN: the nadir for F%1 is %2, given by solution %3";

// Exact nadir values: the ascent.
inline constexpr char kNoPositiveWeights[] = "DEBUG: Não conseguiu encontrar um vector de pesos positivos da região";
inline constexpr char kNoRegionWithPositiveWeights[] =
    "DEBUG: Nenhuma região tem um vector de pesos estritamente positivo: termina";
inline constexpr char kCannotContinue[] =
    "The procedure cannot continue! Worst efficient value found until now: %1given by solution%2";
inline constexpr char kNadirFound[] = "FOUND: the nadir for %1 is %2 given by the solution %3";
inline constexpr char kNadirStoppedByUser[] =
    "The computation was stopped by the user: no nadir value was recorded.";
inline constexpr char kNadirProgressTitle[] = "The true Nadir values";
inline constexpr char kNadirProgress[] = "Step %1\nBases visited: %2\nWorst value of F%3 so far: %4";
inline constexpr char kNadirOf[] = " - Nadir of ";
inline constexpr char kNadirLogLine[] = "[%1]: NAlt= %2  NReg= %3  < %4";

// Evolutionary estimate: the parameters dialog.
inline constexpr char kEaDialogCaption[] = "Parameteres";
inline constexpr char kEaDialogHeading[] = "Parameteres for the evolutionary algorithm:";
inline constexpr char kEaPopulationLabel[] = "Population size ";
inline constexpr char kEaPopulationNote[] = "(preferentially a multiple of the number of objective functions)";
inline constexpr char kEaMutationLabel[] = "Probability of gene mutation";
inline constexpr char kEaIterationsLabel[] = "Number of iterations";
inline constexpr char kEaRandomize[] = "Randomize";
inline constexpr char kEaSeedLabel[] = "Seed point:";
inline constexpr char kEaSeedNote[] = "(In multiple runs the seed point is incremented by 1) ";
inline constexpr char kEaTraceLabel[] = "Write a trace file (DEBUG_EA_<problem>.txt)";
inline constexpr char kEaInvalidNumbers[] = "Invalid Numbers!";
inline constexpr char kEaMaxPopulation[] = "It will be considered the maximum population size, which is %1";
inline constexpr char kEaPopulationBelowObjectives[] =
    "The population size must be at least the number of objective functions (%1)";

// Evolutionary estimate: a run.
inline constexpr char kEaEstimate[] = "Estimate of Nadir point = (%1)";
inline constexpr char kEaProgressTitle[] = "Estimate the Nadir point (EA)";
inline constexpr char kEaProgress[] = "Run %1 of %2, generation %3 of %4\nSolutions evaluated: %5\nNadir estimate: (%6)";
inline constexpr char kEaStoppedByUser[] =
    "The run was stopped by the user: the nadir estimate was not changed; the solutions found are kept.";
inline constexpr char kEaRunsTitle[] = "Multiplas corridas independentes:";
inline constexpr char kEaRunsPrompt[] = "Nº de corridas";
inline constexpr char kEaRunsDefault[] = "5";
inline constexpr char kEaRunsDiscard[] =
    "Independent runs start each from the pay-off solutions: the %1 other solutions of the Basket will be "
    "discarded. Do you want to continue?";
inline constexpr char kWorstFeasibleHeading[] = "WORST FEASIBLE values for the obj. functions:";
inline constexpr char kUnbound[] = "UNBOUND.";

} // namespace msg
