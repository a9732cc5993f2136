#include "solutions/PictureFile.h"

#include "base/TextFileFormat.h"

#include <QBuffer>

bool EncodePicture(const QImage& picture, const QString& path, QByteArray& bytes, QString& error)
{
    bytes.clear();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool png = path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
    if (picture.isNull() || !picture.save(&buffer, png ? "PNG" : "BMP")) {
        error = QStringLiteral("the picture could not be encoded");
        return false;
    }
    return true;
}

bool SavePicture(const QImage& picture, const QString& path, QString& error)
{
    QByteArray bytes;
    return EncodePicture(picture, path, bytes, error) && WriteWholeFile(path, bytes, error);
}

QStringList PictureFilters(bool pngFirst)
{
    const QString bitmap = QStringLiteral("Bitmaps (*.bmp)");
    const QString png = QStringLiteral("PNG pictures (*.png)");
    return pngFirst ? QStringList{png, bitmap} : QStringList{bitmap, png};
}
