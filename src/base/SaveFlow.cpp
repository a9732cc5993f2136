#include "base/SaveFlow.h"

#include "base/Messages.h"
#include "base/UiPort.h"

#include <QFileInfo>

std::optional<QString> ChooseSaveTarget(UiPort& ui, const QString& title, const QStringList& filters,
                                        const QString& defaultSuffix)
{
    const std::optional<QString> chosen = ui.chooseSaveFile(title, filters, defaultSuffix);
    if (!chosen)
        return std::nullopt;
    if (QFileInfo::exists(*chosen)) {
        QString question = QString::fromUtf8(msg::kOverwrite);
        question.replace(QStringLiteral("%s"), *chosen);
        if (ui.ask(question, true) != Answer::Yes)
            return std::nullopt;
    }
    return chosen;
}
