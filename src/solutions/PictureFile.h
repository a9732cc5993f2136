#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Pictures written to disk: PNG when the name ends in ".png" (any case),
// else a Windows bitmap. The write goes through WriteWholeFile, so a failed
// save keeps the old file; false with the reason in `error`.
bool SavePicture(const QImage& picture, const QString& path, QString& error);
// The bytes SavePicture writes for `path`; false with the reason in `error`.
bool EncodePicture(const QImage& picture, const QString& path, QByteArray& bytes, QString& error);

// The save filters, PNG or bitmap first.
QStringList PictureFilters(bool pngFirst);
