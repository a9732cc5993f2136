#pragma once

#include "base/Numeric.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// Shared pieces of the program's text files (problem, results, basket table):
// single-byte Windows-1252 text, CR LF line ends and one 23-character
// scientific form for reals.

// The 23-character form: a sign position (blank for zero and positive
// values, "-" for negative ones), one digit, ".", 14 digits, "E", the
// exponent's sign and four exponent digits. The mantissa is rounded to 15
// significant digits: 1 -> " 1.00000000000000E+0000". A magnitude between
// kLargestWrittenReal and the largest double is written as
// kLargestWrittenReal, so that every value of the double range reads back.
QString FormatFileReal(Real value);

// The largest magnitude whose 23-character form reads back (ParseReal takes
// nothing beyond the largest double, and the form rounds up to
// 1.79769313486232E+0308 above this). A computed value beyond it, or a NaN,
// is no result: it must not reach a file or a report.
constexpr Real kLargestWrittenReal = 1.79769313486231e308L;
inline bool isWritableReal(Real value) { return std::fabs(value) <= kLargestWrittenReal; }

// Writes `bytes` to a temporary file renamed over `path`, so a failed write
// never destroys the previous file. Every write, the flush and the sync to
// disk are checked before the rename; any failure discards the temporary
// file and leaves `path` exactly as it was. False with the system's reason
// in `error` ("No space left on device") when it fails. A `path` that names
// something other than a regular file (a device, a FIFO, a folder) is
// refused, since the rename would replace it. While an OutputBatch is open
// the rename waits for the batch's commit (base/OutputBatch.h).
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString& error);

// The steps of WriteWholeFile that can fail on a full or failing disk.
enum class WriteStep { Open, Write, Flush, Commit };
// A test seam: when set, the hook is asked before each step of every save
// (before each block for Write) and a non-zero answer, a system error
// number such as ENOSPC, makes that step fail as the system would. nullptr,
// the default, leaves every step to the system. Not for concurrent use.
using WriteFaultHook = int (*)(WriteStep step);
void SetWriteFaultHook(WriteFaultHook hook);
// WriteWholeFile hands the data to the system in blocks of this size.
inline constexpr qint64 kWriteBlockBytes = 64 * 1024;

enum class FileReadStatus { Ok, CannotOpen, NotRegularFile, TooLarge, ReadError };

struct FileReadResult {
    FileReadStatus status = FileReadStatus::Ok;
    // Why, for every status but Ok: the system's reason for CannotOpen and
    // ReadError, "not a regular file", or "the file is larger than N bytes".
    QString reason;
    // For TooLarge the size found (at least maxBytes + 1 when the file grew
    // while it was read).
    qint64 size = 0;
};

// Reads the whole file `path` into `bytes`. Only a regular file is read: a
// FIFO, a device or a directory is refused at once, without waiting for data
// that may never come. A file of more than `maxBytes` bytes is refused
// before anything is read (and while reading, should it grow). `bytes` is
// only set when the status is Ok.
FileReadResult ReadWholeFile(const QString& path, qint64 maxBytes, QByteArray& bytes);
// True when `path` names something other than a folder that can be opened
// for reading; opening never waits (a FIFO without a writer does not block).
bool CanOpenForReading(const QString& path);

// Windows-1252 <-> Unicode. Characters that have no single-byte code are
// written as "?".
QString FromCp1252(const QByteArray& bytes);
QByteArray ToCp1252(const QString& text);
// The Windows-1252 byte of one character, -1 when the code page lacks it.
int Cp1252ByteOf(char32_t codePoint);

// Reads a single-byte text file token by token with the rules of the
// program's files. Never reads past the buffer; line numbers count from 1.
class TokenReader {
public:
    explicit TokenReader(QByteArray bytes);

    // Skip blanks, TABs and line ends, then take up to 32 characters up to
    // the next character with code 32 or below. nullopt at the end of the
    // data or when the token is not a decimal integer (see lastError()).
    std::optional<std::int64_t> readInteger();
    // The same skipping; up to 64 characters; a real by ParseReal's rules
    // ("1.5E+0003", "-2", "1e41"; "1e400" is not a number). The character
    // that ended the token is not consumed.
    std::optional<Real> readReal();
    // Discard the rest of the current line including its line end.
    void skipLine();
    // True when the next character is a line end or the end of the data.
    bool atLineEnd() const;
    // The rest of the current line without its line end (not consumed).
    QByteArray restOfLine() const;
    bool atEnd() const;
    int lineNumber() const { return line_; }
    // The bytes not read yet.
    qsizetype remainingBytes() const { return bytes_.size() - pos_; }
    // Why the last read failed: the end of the data, or the offending token.
    bool lastFailureWasEnd() const { return lastFailureWasEnd_; }
    QByteArray lastToken() const { return lastToken_; }

private:
    std::optional<QByteArray> nextToken(int maxLength);

    QByteArray bytes_;
    int pos_ = 0;
    int line_ = 1;
    bool lastFailureWasEnd_ = false;
    QByteArray lastToken_;
};
