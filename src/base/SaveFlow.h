#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class UiPort;

// The first half of every save command: the save dialog, then "OK to
// overwrite ..." (Yes/No/Cancel) when the chosen file exists. The file to
// write, or nullopt when the person cancelled either. The write itself goes
// through WriteWholeFile, which replaces the old file only once the new one
// is complete.
std::optional<QString> ChooseSaveTarget(UiPort& ui, const QString& title, const QStringList& filters,
                                        const QString& defaultSuffix);
