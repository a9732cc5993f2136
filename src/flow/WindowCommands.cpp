#include "flow/WindowCommands.h"

#include "base/Messages.h"
#include "base/SaveFlow.h"
#include "solutions/BasketTable.h"
#include "solutions/Messages.h"
#include "solutions/PictureFile.h"
#include "solutions/ResultsFile.h"
#include "weightspace/Messages.h"
#include "weightspace/WeightSpaceCommands.h"
#include "weightspace/WeightSpaceView.h"
#include "workspace/Workspace.h"

#include <QFileInfo>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

const char kSaveBasketTitle[] = "Save as a text file";

// An integer typed in an input box; false for anything else.
bool typedInt(const std::optional<QString>& typed, int& value)
{
    if (!typed)
        return false;
    bool ok = false;
    value = typed->trimmed().toInt(&ok);
    return ok;
}

} // namespace

std::optional<QString> ExportResultsCommand(const Workspace& ws, UiPort& ui)
{
    const auto chosen =
        ui.chooseSaveFile(text(msg::kExportResultsTitle), {text(msg::kFilterOut)}, QStringLiteral("out"));
    if (!chosen)
        return std::nullopt;
    const QString path = *chosen;
    if (QFileInfo::exists(path)) {
        QString question = text(msg::kOverwrite);
        question.replace(QStringLiteral("%s"), path);
        if (ui.ask(question, true) != Answer::Yes)
            return std::nullopt;
    }
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

bool SavePictureCommand(UiPort& ui, const QImage& picture, const QString& title, bool pngFirst)
{
    const auto chosen =
        ChooseSaveTarget(ui, title, PictureFilters(pngFirst), pngFirst ? QStringLiteral("png") : QStringLiteral("bmp"));
    if (!chosen)
        return false;
    QString error;
    if (!SavePicture(picture, *chosen, error)) {
        ui.showMessage(MsgKind::Error, QStringLiteral("Cannot write %1: %2").arg(*chosen, error));
        return false;
    }
    return true;
}

void ShowOneCommand(WeightSpaceView& view, const Workspace& ws, UiPort& ui, bool clearFirst)
{
    if (clearFirst)
        view.ClearPicture();
    int sol = 0;
    if (!typedInt(ui.inputText(text(msg::kShowOneTitle), text(msg::kShowOnePrompt), QString()), sol))
        return;
    if (sol < 1 || sol > ws.basketCount) {
        ui.showMessage(MsgKind::Information, text(msg::kInvalidData));
        return;
    }
    if (RegionChainLength(ws, sol) <= 1) {
        view.Actualiza(sol);
        return;
    }
    const auto typed = ui.inputText(text(msg::kShowOneRegionTitle), text(msg::kShowOneRegionPrompt), QString());
    if (!typed || typed->trimmed().isEmpty()) {
        view.Actualiza(sol);
        return;
    }
    int k = 0;
    if (typedInt(typed, k))
        static_cast<void>(view.ActualizaRegion(sol, k));
}
