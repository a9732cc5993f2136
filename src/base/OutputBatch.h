#pragma once

#include <QString>

#include <memory>
#include <vector>

class QSaveFile;

// Several saves that land together or not at all. While a batch is open,
// every WriteWholeFile of this thread leaves its complete, synced file in
// the temporary beside the target and hands it to the batch instead of
// renaming it into place; commit() then renames them all. A batch dropped
// without commit() removes its temporaries, so a failure anywhere before
// the commit leaves no new file and every old one as it was.
class OutputBatch {
public:
    OutputBatch();
    ~OutputBatch();
    OutputBatch(const OutputBatch&) = delete;
    OutputBatch& operator=(const OutputBatch&) = delete;

    // Renames every staged file into place in the order they were written
    // and closes the batch. False at the first rename that fails, with that
    // target and the reason; the files renamed before it stay (their old
    // versions are gone) and the ones after it are discarded.
    bool commit(QString& failedPath, QString& error);

    // The open batch of this thread, nullptr when there is none.
    static OutputBatch* active();
    // Takes a written, flushed file whose commit is left to the batch.
    void stage(std::unique_ptr<QSaveFile> file);

private:
    std::vector<std::unique_ptr<QSaveFile>> staged_;
    OutputBatch* outer_ = nullptr;
    bool open_ = true;
};

// Why `path` cannot be the target of a save, empty when it can: its folder
// must exist and be writable, and the target must be nothing yet or a
// writable regular file (a folder, a FIFO or a device is refused, as
// WriteWholeFile refuses it).
QString WriteTargetProblem(const QString& path);
