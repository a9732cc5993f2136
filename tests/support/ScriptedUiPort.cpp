#include "ScriptedUiPort.h"

#include "flow/ProblemEditor.h"

#include <algorithm>

void ScriptedUiPort::showMessage(MsgKind kind, const QString& text)
{
    log << QString::fromLatin1(toString(kind)) + QStringLiteral(": ") + text;
}

Answer ScriptedUiPort::ask(const QString& text, bool withCancel)
{
    log << (withCancel ? QStringLiteral("AskCancel: ") : QStringLiteral("Ask: ")) + text;
    if (answers.empty())
        return withCancel ? Answer::Cancel : Answer::No;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<QString> ScriptedUiPort::inputText(const QString& title, const QString& prompt,
                                                 const QString& defaultText)
{
    log << QStringLiteral("Input: %1 | %2 | %3").arg(title, prompt, defaultText);
    if (inputs.empty())
        return std::nullopt;
    auto v = inputs.front();
    inputs.pop_front();
    return v;
}

std::optional<QString> ScriptedUiPort::chooseOpenFile(const QString& title, const QStringList& filters,
                                                      const QString&)
{
    log << QStringLiteral("OpenFile: %1 | %2").arg(title, filters.join(QStringLiteral(";;")));
    if (files.empty())
        return std::nullopt;
    auto v = files.front();
    files.pop_front();
    return v;
}

std::optional<QString> ScriptedUiPort::chooseSaveFile(const QString& title, const QStringList& filters,
                                                      const QString&)
{
    log << QStringLiteral("SaveFile: %1 | %2").arg(title, filters.join(QStringLiteral(";;")));
    if (files.empty())
        return std::nullopt;
    auto v = files.front();
    files.pop_front();
    return v;
}

std::optional<Color> ScriptedUiPort::chooseColor(Color)
{
    log << QStringLiteral("ChooseColor");
    if (colors.empty())
        return std::nullopt;
    auto v = colors.front();
    colors.pop_front();
    return v;
}

void ScriptedUiPort::setStatusText(int panel, const QString& text)
{
    if (panel == 0 || panel == 1)
        status[panel] = text;
    log << QStringLiteral("Status%1: %2").arg(panel).arg(text);
}

void ScriptedUiPort::showProgress(int position, int maximum)
{
    progressVisible = true;
    progressPosition = position;
    progressMaximum = maximum;
}

void ScriptedUiPort::hideProgress() { progressVisible = false; }

void ScriptedUiPort::setBusy(bool busy)
{
    busyDepth += busy ? 1 : -1;
    maxBusyDepth = std::max(maxBusyDepth, busyDepth);
}

void ScriptedUiPort::notify(UiEvent event)
{
    if (event == UiEvent::BasketViewsShown) {
        log << QStringLiteral("ShowBasketViews");
        ++basketViewsShown;
        return;
    }
    events.push_back(event);
}

QStringList ScriptedUiPort::dialogs() const
{
    QStringList out;
    for (const QString& line : log) {
        for (const char* prefix : {"Information: ", "Warning: ", "Error: ", "Confirmation: ", "Ask: ", "AskCancel: "}) {
            if (line.startsWith(QLatin1String(prefix))) {
                out << line;
                break;
            }
        }
    }
    return out;
}

QStringList MessageLines(const Notices& notices)
{
    QStringList lines;
    for (const Notice& n : notices.items())
        if (n.kind == Notice::Kind::Message)
            lines << QString::fromLatin1(toString(n.box)) + QStringLiteral(": ") + n.text;
    return lines;
}

bool ScriptedUiPort::saw(UiEvent event) const
{
    return std::find(events.begin(), events.end(), event) != events.end();
}

void ScriptedUiPort::clear()
{
    log.clear();
    events.clear();
}

namespace {
template <class T>
std::optional<T> takeFront(std::deque<std::optional<T>>& queue)
{
    if (queue.empty())
        return std::nullopt;
    auto v = queue.front();
    queue.pop_front();
    return v;
}
} // namespace

std::optional<ObjectiveChoice> ScriptedUiPort::chooseObjective(const QString& title, const QString& prompt,
                                                               const QStringList& names, bool withValue, int, int)
{
    log << QStringLiteral("ChooseObjective: %1 | %2 | %3%4")
               .arg(title, prompt, names.join(QLatin1Char(',')), withValue ? QStringLiteral(" | value") : QString());
    return takeFront(objectiveChoices);
}

std::optional<QStringList> ScriptedUiPort::editWeights(const QString& title, const QStringList& headers,
                                                       const QStringList& values, const QString& acceptCaption)
{
    log << QStringLiteral("Weights: %1 | %2 | %3 | %4")
               .arg(title, headers.join(QLatin1Char(',')), values.join(QLatin1Char(',')), acceptCaption);
    return takeFront(grids);
}

std::optional<QStringList> ScriptedUiPort::editRelaxations(const QStringList& names, const QStringList& amounts,
                                                           const std::function<bool(const QStringList&)>& accept)
{
    log << QStringLiteral("Relax: %1 | %2").arg(names.join(QLatin1Char(',')), amounts.join(QLatin1Char(',')));
    while (!grids.empty()) {
        const auto typed = takeFront(grids);
        if (!typed)
            return std::nullopt;
        if (accept(*typed))
            return typed;
    }
    return std::nullopt;
}

std::optional<RaceRangeTexts> ScriptedUiPort::editRaceRanges(const QStringList& names, const QStringList& lower,
                                                             const QStringList& upper)
{
    log << QStringLiteral("Ranges: %1 | %2 | %3")
               .arg(names.join(QLatin1Char(',')), lower.join(QLatin1Char(',')), upper.join(QLatin1Char(',')));
    return takeFront(ranges);
}

std::optional<int> ScriptedUiPort::selectIcwSolution(const QString& heading, const QStringList& choices,
                                                     const QStringList& statusTexts)
{
    (void)statusTexts;
    log << QStringLiteral("IcwSelect: %1 | %2").arg(heading, choices.join(QStringLiteral("; ")));
    return takeFront(icwChoices);
}

std::optional<QStringList> ScriptedUiPort::editReferencePoint(const QStringList& names, const QStringList& values,
                                                              const std::function<bool(const QStringList&)>& accept)
{
    log << QStringLiteral("RefPoint: %1 | %2").arg(names.join(QLatin1Char(',')), values.join(QLatin1Char(',')));
    // Like the dialog: OK is pressed with each scripted answer until one is
    // accepted; running out of answers is Cancel.
    while (!grids.empty()) {
        const auto typed = takeFront(grids);
        if (!typed)
            return std::nullopt;
        if (accept(*typed))
            return typed;
    }
    return std::nullopt;
}

LimitationsAnswer ScriptedUiPort::editLimitations(LimitationsEditor& editor, bool eConstraints)
{
    log << QStringLiteral("Limitations: %1").arg(eConstraints ? QStringLiteral("OK") : QStringLiteral("Insert"));
    if (limitationScripts.empty())
        return LimitationsAnswer::Cancel;
    auto script = limitationScripts.front();
    limitationScripts.pop_front();
    return script(editor);
}

std::optional<bool> ScriptedUiPort::chooseNormalization()
{
    log << QStringLiteral("Normalization");
    return takeFront(normalizations);
}

std::optional<EaParameterTexts> ScriptedUiPort::editEaParameters(const EaParameterTexts& defaults)
{
    log << QStringLiteral("EaParameters");
    eaDefaults = defaults;
    return takeFront(eaParameters);
}

void ScriptedUiPort::showPayoffTable()
{
    log << QStringLiteral("PayoffTable");
    ++payoffTableShown;
}

void ScriptedUiPort::runProblemEditor(ProblemEditor& editor)
{
    const ProblemData& pb = editor.problem();
    log << QStringLiteral("ProblemEditor: %1 | %2x%3x%4")
               .arg(editor.caption())
               .arg(pb.numObjectives)
               .arg(pb.numVariables)
               .arg(pb.numConstraints);
    ++editorsOpened;
    if (!editorScripts.empty()) {
        auto script = editorScripts.front();
        editorScripts.pop_front();
        script(editor);
    }
    if (!editor.isClosed() && !editor.requestClose())
        log << QStringLiteral("EditorLeftOpen");
}

void ScriptedUiPort::beginStoppableTask(const QString& title, const QString& text)
{
    log << QStringLiteral("Task: %1").arg(title);
    taskOpen = true;
    taskText = text;
}

bool ScriptedUiPort::updateStoppableTask(const QString& text)
{
    ++taskUpdates;
    taskText = text;
    return cancelAtUpdate == 0 || taskUpdates < cancelAtUpdate;
}

void ScriptedUiPort::endStoppableTask()
{
    log << QStringLiteral("TaskEnd");
    taskOpen = false;
}
