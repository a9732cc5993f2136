#include "flow/WindowCommands.h"

#include "base/Messages.h"
#include "base/SaveFlow.h"
#include "solutions/BasketTable.h"
#include "solutions/Messages.h"
#include "solutions/ResultsFile.h"
#include "workspace/Workspace.h"

#include <QFileInfo>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

const char kSaveBasketTitle[] = "Save as a text file";

} // namespace

std::optional<QString> ExportResultsCommand(const Workspace& ws, UiPort& ui)
{
    const auto chosen =
        ChooseSaveTarget(ui, text(msg::kExportResultsTitle), {text(msg::kFilterOut)}, QStringLiteral("out"));
    if (!chosen)
        return std::nullopt;
    const QString path = *chosen;
    const ResultsFileResult written = ExportResults(ws, path);
    if (!written.ok) {
        ui.showMessage(MsgKind::Error, written.message);
        return std::nullopt;
    }
    return path;
}

bool ImportResultsCommand(Workspace& ws, UiPort& ui)
{
    const auto chosen =
        ui.chooseOpenFile(text(msg::kImportResultsTitle), {text(msg::kFilterOut)}, QStringLiteral("out"));
    if (!chosen)
        return false;
    const ResultsFileResult read = ImportResults(ws, *chosen);
    if (!read.opened)
        return false;
    if (!read.ok)
        ui.showMessage(MsgKind::Error, read.message);
    return read.ok;
}

BasketSaveResult SaveBasketTable(const Workspace& ws, UiPort& ui)
{
    const auto chosen = ui.chooseSaveFile(text(kSaveBasketTitle), {text(msg::kFilterTxt)}, QStringLiteral("txt"));
    if (!chosen)
        return BasketSaveResult::Cancelled;
    const QString path = *chosen;
    if (QFileInfo::exists(path)) {
        QString question = text(msg::kOverwrite);
        question.replace(QStringLiteral("%s"), path);
        if (ui.ask(question, true) != Answer::Yes)
            return BasketSaveResult::Cancelled;
    }

    const QString failure = WriteBasketTable(ws, path);
    if (failure.isEmpty())
        return BasketSaveResult::Saved;
    ui.showMessage(MsgKind::Error, failure);
    return BasketSaveResult::Failed;
}
