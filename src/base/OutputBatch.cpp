#include "base/OutputBatch.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

thread_local OutputBatch* t_active = nullptr;

} // namespace

OutputBatch::OutputBatch() : outer_(t_active) { t_active = this; }

OutputBatch::~OutputBatch()
{
    if (open_)
        t_active = outer_;
    // QSaveFile removes an uncommitted temporary when it is destroyed.
}

OutputBatch* OutputBatch::active() { return t_active; }

void OutputBatch::stage(std::unique_ptr<QSaveFile> file) { staged_.push_back(std::move(file)); }

bool OutputBatch::commit(QString& failedPath, QString& error)
{
    t_active = outer_;
    open_ = false;
    std::vector<std::unique_ptr<QSaveFile>> staged = std::move(staged_);
    for (const std::unique_ptr<QSaveFile>& file : staged) {
        if (!file->commit()) {
            failedPath = file->fileName();
            error = file->errorString();
            return false; // the rest are discarded with `staged`
        }
    }
    return true;
}

QString WriteTargetProblem(const QString& path)
{
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return QStringLiteral("not a regular file");
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir())
        return QStringLiteral("the folder does not exist");
    if (!folder.isWritable())
        return QStringLiteral("the folder is not writable");
    if (target.exists() && !target.isWritable())
        return QStringLiteral("the file is not writable");
    return QString();
}
