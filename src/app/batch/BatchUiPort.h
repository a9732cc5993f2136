#pragma once

#include "base/SilentUiPort.h"
#include "flow/DialogPort.h"

#include <deque>
#include <functional>
#include <optional>

namespace batch {

// The person at the other end is a script. Boxes go to standard error;
// questions are answered Yes (the limitations in force are considered, a
// file is overwritten); the status bar, progress and redraws have nobody to
// show them to. The dialogs answer what the runner prepared from the command
// line before each command; a dialog without a prepared answer is cancelled.
class BatchUiPort : public SilentUiPort, public DialogPort {
public:
    // Prepared answers, each used once.
    std::deque<QStringList> grids; // weights or reference-point values, in the order asked
    std::optional<int> objective;  // 0-based row of the choose-an-objective dialog
    std::function<LimitationsAnswer(LimitationsEditor&)> limitations;
    std::optional<QString> input;
    std::deque<QString> inputs; // input boxes answered in order, before `input`
    std::optional<EaParameterTexts> eaParameters;
    std::optional<QString> openFile;
    std::optional<QString> saveFile;
    std::optional<RaceRangeTexts> ranges; // the race's ranges dialog
    std::optional<int> icwChoice;         // the ICW selection dialog's choice
    bool normalize = false;
    // The pay-off window was asked for since the last reset.
    bool payoffShown = false;

    void showMessage(MsgKind kind, const QString& message) override;
    Answer ask(const QString& question, bool withCancel) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt, const QString& defaultText) override;
    std::optional<QString> chooseOpenFile(const QString& title, const QStringList& filters,
                                          const QString& defaultSuffix) override;
    std::optional<QString> chooseSaveFile(const QString& title, const QStringList& filters,
                                          const QString& defaultSuffix) override;
    std::optional<ObjectiveChoice> chooseObjective(const QString& title, const QString& prompt,
                                                   const QStringList& names, bool withValue, int x, int y) override;
    std::optional<QStringList> editWeights(const QString& title, const QStringList& headers,
                                           const QStringList& values, const QString& acceptCaption) override;
    std::optional<QStringList> editReferencePoint(const QStringList& names, const QStringList& values,
                                                  const std::function<bool(const QStringList&)>& accept) override;
    LimitationsAnswer editLimitations(LimitationsEditor& editor, bool eConstraints) override;
    std::optional<QStringList> editRelaxations(const QStringList& names, const QStringList& amounts,
                                               const std::function<bool(const QStringList&)>& accept) override
    {
        // Answered from `grids`, as the reference point is.
        return editReferencePoint(names, amounts, accept);
    }
    std::optional<RaceRangeTexts> editRaceRanges(const QStringList&, const QStringList&, const QStringList&) override
    {
        std::optional<RaceRangeTexts> answer = std::move(ranges);
        ranges.reset();
        return answer;
    }
    std::optional<int> selectIcwSolution(const QString&, const QStringList&, const QStringList&) override
    {
        std::optional<int> answer = icwChoice;
        icwChoice.reset();
        return answer;
    }
    std::optional<bool> chooseNormalization() override;
    std::optional<EaParameterTexts> editEaParameters(const EaParameterTexts& defaults) override;
    void showPayoffTable() override { payoffShown = true; }
};

} // namespace batch
