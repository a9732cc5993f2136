#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class UiPort;

// Pictures written to disk: PNG when the name ends in ".png" (any case),
// else a Windows bitmap. The write goes through WriteWholeFile, so a failed
// save keeps the old file; false with the reason in `error`.
bool SavePicture(const QImage& picture, const QString& path, QString& error);

// The save filters, PNG or bitmap first.
QStringList PictureFilters(bool pngFirst);

// The whole save command of a picture window: the save dialog titled
// `title`, "OK to overwrite ..." for an existing file, the write, and its
// failure in an error box. False when nothing was written.
bool SavePictureCommand(UiPort& ui, const QImage& picture, const QString& title, bool pngFirst);
