#include "app/batch/BatchUiPort.h"

#include "app/batch/BatchOutput.h"

namespace batch {

namespace {

QString kindName(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Information: return QStringLiteral("Information");
    case MsgKind::Warning: return QStringLiteral("Warning");
    case MsgKind::Error: return QStringLiteral("Error");
    case MsgKind::Confirmation: return QStringLiteral("Confirmation");
    }
    return QStringLiteral("Information");
}

template <typename T>
std::optional<T> takeOnce(std::optional<T>& prepared)
{
    std::optional<T> answer = std::move(prepared);
    prepared.reset();
    return answer;
}

} // namespace

void BatchUiPort::showMessage(MsgKind kind, const QString& message) { printMessage(kindName(kind), message); }

Answer BatchUiPort::ask(const QString&, bool) { return Answer::Yes; }

std::optional<QString> BatchUiPort::inputText(const QString&, const QString&, const QString&)
{
    if (!inputs.empty()) {
        QString typed = inputs.front();
        inputs.pop_front();
        return typed;
    }
    return takeOnce(input);
}

std::optional<QString> BatchUiPort::chooseOpenFile(const QString&, const QStringList&, const QString&)
{
    return takeOnce(openFile);
}

std::optional<QString> BatchUiPort::chooseSaveFile(const QString&, const QStringList&, const QString&)
{
    return takeOnce(saveFile);
}

std::optional<ObjectiveChoice> BatchUiPort::chooseObjective(const QString&, const QString&, const QStringList&, bool,
                                                            int, int)
{
    const std::optional<int> row = takeOnce(objective);
    if (!row)
        return {};
    ObjectiveChoice choice;
    choice.selected = *row;
    return choice;
}

std::optional<QStringList> BatchUiPort::editWeights(const QString&, const QStringList&, const QStringList&,
                                                    const QString&)
{
    if (grids.empty())
        return {};
    QStringList typed = grids.front();
    grids.pop_front();
    return typed;
}

std::optional<QStringList> BatchUiPort::editReferencePoint(const QStringList&, const QStringList&,
                                                           const std::function<bool(const QStringList&)>& accept)
{
    if (grids.empty())
        return {};
    QStringList typed = grids.front();
    grids.pop_front();
    // The window's dialog stays open on a refused point; here nobody can
    // type again, so it is cancelled.
    if (!accept(typed))
        return {};
    return typed;
}

LimitationsAnswer BatchUiPort::editLimitations(LimitationsEditor& editor, bool)
{
    if (!limitations)
        return LimitationsAnswer::Cancel;
    auto script = std::move(limitations);
    limitations = nullptr;
    return script(editor);
}

std::optional<bool> BatchUiPort::chooseNormalization() { return normalize; }

std::optional<EaParameterTexts> BatchUiPort::editEaParameters(const EaParameterTexts&) { return takeOnce(eaParameters); }

} // namespace batch
