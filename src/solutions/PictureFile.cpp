#include "solutions/PictureFile.h"

#include "base/SaveFlow.h"
#include "base/TextFileFormat.h"
#include "base/UiPort.h"

#include <QBuffer>

bool SavePicture(const QImage& picture, const QString& path, QString& error)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool png = path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
    if (picture.isNull() || !picture.save(&buffer, png ? "PNG" : "BMP")) {
        error = QStringLiteral("the picture could not be encoded");
        return false;
    }
    return WriteWholeFile(path, bytes, error);
}

QStringList PictureFilters(bool pngFirst)
{
    const QString bitmap = QStringLiteral("Bitmaps (*.bmp)");
    const QString png = QStringLiteral("PNG pictures (*.png)");
    return pngFirst ? QStringList{png, bitmap} : QStringList{bitmap, png};
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
