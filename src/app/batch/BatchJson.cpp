#include "app/batch/BatchJson.h"

#include "app/batch/BatchOutput.h"

#include <QJsonArray>
#include <QJsonValue>

#include <algorithm>
#include <cmath>

namespace batch {

namespace {

// JSON has no infinity and no NaN.
QJsonValue number(Real value)
{
    const double d = static_cast<double>(value);
    return std::isfinite(d) ? QJsonValue(d) : QJsonValue(QJsonValue::Null);
}

std::uintptr_t addressOf(const ComputedSolution& record) { return reinterpret_cast<std::uintptr_t>(&record); }

int objectiveCount(const Workspace& ws) { return std::clamp<int>(ws.numObjectives, 0, MaxObjectives); }

QJsonObject objectiveValues(const Workspace& ws, const vectorObj& f)
{
    QJsonObject values;
    for (int k = 1; k <= objectiveCount(ws); ++k)
        values.insert(ws.objName[k], number(f[k]));
    return values;
}

// Objective values, then the non-zero decision variables and slacks, as
// the report lists a solution.
QJsonObject solutionValues(const Workspace& ws, const vectorObj& f, const tipoXcorr& x_s)
{
    const int n = std::clamp<int>(ws.numVariables, 0, MaxVariables);
    const int m = std::clamp<int>(ws.numConstraints, 0, MaxConstraints);
    QJsonObject variables;
    for (int j = 1; j <= n; ++j)
        if (x_s[j] != 0)
            variables.insert(ws.vars[j].name, number(x_s[j]));
    QJsonObject slacks;
    for (int c = 1; c <= m; ++c)
        if (x_s[n + c] != 0)
            slacks.insert(ws.slackName[c], number(x_s[n + c]));
    return {{QStringLiteral("objectives"), objectiveValues(ws, f)},
            {QStringLiteral("variables"), variables},
            {QStringLiteral("slacks"), slacks}};
}

QJsonObject problemObject(const Workspace& ws)
{
    QJsonArray objectives;
    for (int k = 1; k <= objectiveCount(ws); ++k)
        objectives.append(QJsonObject{{QStringLiteral("name"), ws.objName[k]},
                                      {QStringLiteral("sense"), ws.objSense[k] == 1 ? QStringLiteral("max")
                                                                                    : QStringLiteral("min")}});
    QJsonArray variables;
    for (int j = 1; j <= std::clamp<int>(ws.numVariables, 0, MaxVariables); ++j)
        variables.append(ws.vars[j].name);
    QJsonArray slacks;
    for (int c = 1; c <= std::clamp<int>(ws.numConstraints, 0, MaxConstraints); ++c)
        slacks.append(ws.slackName[c]);
    const QJsonObject sizes{{QStringLiteral("objectives"), ws.numObjectives},
                            {QStringLiteral("variables"), ws.numVariables},
                            {QStringLiteral("constraints"), ws.numConstraints}};
    return {{QStringLiteral("name"), ws.problemName}, {QStringLiteral("file"), ws.fileName},
            {QStringLiteral("sizes"), sizes},         {QStringLiteral("objectives"), objectives},
            {QStringLiteral("variables"), variables}, {QStringLiteral("slacks"), slacks}};
}

QJsonArray payoffArray(const Workspace& ws)
{
    QJsonArray rows;
    for (int k = 1; k <= objectiveCount(ws); ++k)
        rows.append(QJsonObject{{QStringLiteral("objective"), ws.objName[k]},
                                {QStringLiteral("basketIndex"), ws.payoff[k].basketIndex},
                                {QStringLiteral("values"), objectiveValues(ws, ws.payoff[k].f)}});
    return rows;
}

QJsonArray basketArray(const Workspace& ws)
{
    QJsonArray basket;
    for (int b = 1; b <= ws.basketCount; ++b) {
        const SolSolutionBasket& entry = ws.basket[static_cast<std::size_t>(b)];
        QJsonObject solution = solutionValues(ws, entry.f, entry.x_s);
        solution.insert(QStringLiteral("index"), b);
        basket.append(solution);
    }
    return basket;
}

QJsonArray nadirResultsArray(const Workspace& ws)
{
    QJsonArray results;
    for (int k = 1; k <= objectiveCount(ws); ++k) {
        if (ws.nadirSource[k] < 1)
            continue;
        results.append(QJsonObject{{QStringLiteral("objective"), ws.objName[k]},
                                   {QStringLiteral("value"), number(ws.nadirPoint[k])},
                                   {QStringLiteral("solution"), ws.nadirSource[k]}});
    }
    return results;
}

QJsonObject messageObject(const PrintedMessage& message)
{
    return {{QStringLiteral("kind"), message.kind}, {QStringLiteral("text"), message.text}};
}

QString outcomeName(int status)
{
    switch (status) {
    case kExitOk: return QStringLiteral("done");
    case kExitFailed: return QStringLiteral("failed");
    default: return QStringLiteral("refused");
    }
}

QJsonValue count(bool counted, int value) { return counted ? QJsonValue(value) : QJsonValue(QJsonValue::Null); }

} // namespace

void JsonRun::beginAction(const QString& name, const QStringList& arguments)
{
    ActionRecord action;
    action.name = name;
    action.arguments = arguments;
    action.firstMessage = printedMessages().size();
    actions_.push_back(action);
}

void JsonRun::addReport(const QString& block)
{
    if (!actions_.empty())
        actions_.back().report << block;
}

bool JsonRun::isRecorded(const SolutionRecord& recorded, const ComputedSolution& record)
{
    return recorded.address == addressOf(record) && recorded.solution.f == record.f &&
           recorded.solution.x_s == record.x_s && recorded.solution.basis == record.basis;
}

void JsonRun::collectSolutions(const Workspace& ws)
{
    const int held = static_cast<int>(ws.history.size());
    // The records in front of the newest one taken are new; when that one
    // is gone (the history was cleared, or overflowed), all of them are.
    int fresh = held;
    if (!solutions_.empty()) {
        for (int i = 0; i < held; ++i) {
            if (isRecorded(solutions_.back(), ws.history[static_cast<std::size_t>(i)])) {
                fresh = i;
                break;
            }
        }
    }
    const int action = static_cast<int>(actions_.size()) - 1;
    for (int i = fresh - 1; i >= 0; --i) {
        const ComputedSolution& record = ws.history[static_cast<std::size_t>(i)];
        solutions_.push_back({action, addressOf(record), record});
    }
    // The history runs newest first, the list oldest first.
    const int taken = static_cast<int>(solutions_.size());
    for (int i = 0; i < held && i < taken; ++i) {
        const ComputedSolution& record = ws.history[static_cast<std::size_t>(i)];
        SolutionRecord& recorded = solutions_[static_cast<std::size_t>(taken - 1 - i)];
        if (isRecorded(recorded, record))
            recorded.solution.basketIndex = record.basketIndex;
    }
}

void JsonRun::endAction(const Workspace& ws, int status)
{
    if (actions_.empty())
        return;
    ActionRecord& action = actions_.back();
    action.status = status;
    action.endMessage = printedMessages().size();
    if (status != kExitOk)
        return;
    // The numbers their closing boxes give.
    if (action.name == QLatin1String("vma")) {
        vmaCounted_ = true;
        vmaCount_ = ws.basketCount;
    } else if (action.name == QLatin1String("icw") || action.name == QLatin1String("contracted-vma")) {
        icwCounted_ = true;
        icwCount_ = ws.icwCount;
    }
}

QJsonObject JsonRun::document(const Workspace& ws, bool problemRead, int exitStatus) const
{
    const std::vector<PrintedMessage>& printed = printedMessages();
    QJsonArray allMessages;
    for (const PrintedMessage& message : printed)
        allMessages.append(messageObject(message));

    QJsonArray actions;
    for (const ActionRecord& action : actions_) {
        QJsonArray messages;
        QStringList texts;
        for (std::size_t i = action.firstMessage; i < action.endMessage && i < printed.size(); ++i) {
            messages.append(messageObject(printed[i]));
            texts << printed[i].text;
        }
        actions.append(QJsonObject{{QStringLiteral("name"), action.name},
                                   {QStringLiteral("arguments"), QJsonArray::fromStringList(action.arguments)},
                                   {QStringLiteral("outcome"), outcomeName(action.status)},
                                   {QStringLiteral("status"), action.status},
                                   {QStringLiteral("message"), texts.join(QLatin1Char('\n'))},
                                   {QStringLiteral("messages"), messages},
                                   {QStringLiteral("report"), action.report.join(QStringLiteral("\n\n"))}});
    }

    QJsonArray solutions;
    for (const SolutionRecord& recorded : solutions_) {
        QJsonObject solution = solutionValues(ws, recorded.solution.f, recorded.solution.x_s);
        solution.insert(QStringLiteral("action"), recorded.action);
        solution.insert(QStringLiteral("basketIndex"), recorded.solution.basketIndex);
        solutions.append(solution);
    }

    const bool computed = problemRead && ws.payoffComputed;
    const QJsonValue none(QJsonValue::Null);
    QJsonObject doc{
        {QStringLiteral("program"), QStringLiteral("quilvane-batch")},
        {QStringLiteral("version"), QStringLiteral(QUILVANE_VERSION_TEXT)},
        {QStringLiteral("exitStatus"), exitStatus},
        {QStringLiteral("messages"), allMessages},
        {QStringLiteral("problem"), problemRead ? QJsonValue(problemObject(ws)) : none},
        {QStringLiteral("actions"), actions},
        {QStringLiteral("solutions"), solutions},
        {QStringLiteral("payoff"), computed ? QJsonValue(payoffArray(ws)) : none},
        {QStringLiteral("ideal"), computed ? QJsonValue(objectiveValues(ws, ws.idealPoint)) : none},
        {QStringLiteral("nadir"), computed ? QJsonValue(objectiveValues(ws, ws.nadirPoint)) : none},
        {QStringLiteral("basket"), problemRead ? basketArray(ws) : QJsonArray()},
        {QStringLiteral("nadirResults"), computed ? nadirResultsArray(ws) : QJsonArray()},
        {QStringLiteral("counts"), QJsonObject{{QStringLiteral("vma"), count(vmaCounted_, vmaCount_)},
                                               {QStringLiteral("icw"), count(icwCounted_, icwCount_)}}},
    };
    return doc;
}

} // namespace batch
