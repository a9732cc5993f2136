#include "base/TextFileFormat.h"

#include "base/OutputBatch.h"
#include "base/RealParser.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <QList>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kFileRealWidth = 23;

// Code points of the bytes 0x80..0x9F; the five bytes the code page leaves
// unassigned map to the C1 control with the same number, as Windows does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char Cp1252Byte(char32_t cp)
{
    const int byte = Cp1252ByteOf(cp);
    return byte < 0 ? '?' : char(byte);
}

// snprintf follows LC_NUMERIC; files always use ".", so it runs in the C
// locale.
locale_t CLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return loc;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

} // namespace

QString FormatFileReal(Real value)
{
    // No problem holds these; if one slips in, the field still has its width
    // and the reader refuses it, naming the line, instead of reading a number.
    if (std::isnan(value))
        return QStringLiteral("NAN").rightJustified(kFileRealWidth);
    if (std::isinf(value))
        return QString::fromLatin1(value < 0 ? "-INF" : "INF").rightJustified(kFileRealWidth);
    if (value == 0) // negative zero too: no sign is written for zero
        return QStringLiteral(" 0.00000000000000E+0000");
    // Near the largest double the 15-digit rounding goes up past it
    // (1.79769313486232E+0308), and no reader takes that back: such a value
    // is written as the largest form that reads. Beyond the double range
    // (long double only) nothing reads back anyway, and the value is written
    // as it is.
    if (std::fabs(value) > kLargestWrittenReal && std::fabs(value) <= std::numeric_limits<double>::max())
        value = std::copysign(kLargestWrittenReal, value);

    // "%.14Le" rounds to 15 significant digits and carries into the exponent
    // (9.999999999999999e5 -> 1.00000000000000e+06); only the exponent's
    // width has to change. The C locale keeps the decimal point a ".".
    char buf[64];
    const locale_t previous = uselocale(CLocale());
    const int len = std::snprintf(buf, sizeof buf, "%.14Le", value);
    uselocale(previous);
    const char* e = static_cast<const char*>(std::memchr(buf, 'e', size_t(len > 0 ? len : 0)));
    if (len <= 0 || !e)
        return QStringLiteral("NAN").rightJustified(kFileRealWidth);

    const bool negative = buf[0] == '-';
    const char* mantissa = negative ? buf + 1 : buf;
    const int mantissaLength = int(e - mantissa); // "d.dddddddddddddd"
    const char expSign = e[1];
    const int exponent = std::atoi(e + 2);

    char out[kFileRealWidth + 8];
    std::snprintf(out, sizeof out, "%c%.*sE%c%04d", negative ? '-' : ' ', mantissaLength, mantissa,
                  expSign, exponent);
    return QString::fromLatin1(out);
}

QString FromCp1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b >= 0x80 && b <= 0x9F ? QChar(kCp1252High[b - 0x80]) : QChar(b));
    }
    return text;
}

QByteArray ToCp1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    // One "?" per character, so a character outside the BMP (a surrogate
    // pair) does not become two.
    const auto codePoints = text.toUcs4();
    for (const char32_t cp : codePoints)
        bytes.append(Cp1252Byte(cp));
    return bytes;
}

TokenReader::TokenReader(QByteArray bytes) : bytes_(std::move(bytes)) {}

bool TokenReader::atEnd() const { return pos_ >= bytes_.size(); }

bool TokenReader::atLineEnd() const { return atEnd() || IsLineEnd(bytes_.at(pos_)); }

QByteArray TokenReader::restOfLine() const
{
    int end = pos_;
    while (end < bytes_.size() && !IsLineEnd(bytes_.at(end)))
        ++end;
    return bytes_.mid(pos_, end - pos_);
}

void TokenReader::skipLine()
{
    while (pos_ < bytes_.size() && !IsLineEnd(bytes_.at(pos_)))
        ++pos_;
    if (pos_ >= bytes_.size())
        return;
    // CR LF, LF and a lone CR each end one line.
    if (bytes_.at(pos_) == '\r' && pos_ + 1 < bytes_.size() && bytes_.at(pos_ + 1) == '\n')
        ++pos_;
    ++pos_;
    ++line_;
}

std::optional<QByteArray> TokenReader::nextToken(int maxLength)
{
    // Every character up to code 32 separates tokens (it also ends them), so
    // the skipping takes all of them, counting the lines it passes.
    const int size = bytes_.size();
    while (pos_ < size && static_cast<unsigned char>(bytes_.at(pos_)) <= 32) {
        const char c = bytes_.at(pos_);
        if (c == '\n' || (c == '\r' && (pos_ + 1 >= size || bytes_.at(pos_ + 1) != '\n')))
            ++line_;
        ++pos_;
    }
    if (pos_ >= size) {
        lastFailureWasEnd_ = true;
        lastToken_.clear();
        return std::nullopt;
    }
    const int start = pos_;
    while (pos_ < size && pos_ - start < maxLength && static_cast<unsigned char>(bytes_.at(pos_)) > 32)
        ++pos_;
    lastFailureWasEnd_ = false;
    lastToken_ = bytes_.mid(start, pos_ - start);
    if (pos_ < size && static_cast<unsigned char>(bytes_.at(pos_)) > 32) {
        // Longer than a number can be. Taking it in pieces would shift every
        // later value of the file, so the whole token is refused.
        lastToken_.append("...");
        return std::nullopt;
    }
    return lastToken_;
}

std::optional<std::int64_t> TokenReader::readInteger()
{
    const auto token = nextToken(32);
    if (!token)
        return std::nullopt;
    const char* s = token->constData();
    const int n = token->size();
    int i = 0;
    bool negative = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    if (i == n)
        return std::nullopt;
    // Accumulate as a negative number so that INT64_MIN fits.
    std::int64_t value = 0;
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    for (; i < n; ++i) {
        if (!IsDigit(s[i]))
            return std::nullopt;
        const int digit = s[i] - '0';
        if (value < (kMin + digit) / 10)
            return std::nullopt;
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == kMin)
            return std::nullopt;
        value = -value;
    }
    return value;
}

std::optional<Real> TokenReader::readReal()
{
    const auto token = nextToken(64);
    if (!token)
        return std::nullopt;
    return ParseReal(QByteArrayView(*token));
}

int Cp1252ByteOf(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return int(cp);
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == cp)
            return 0x80 + i;
    }
    return -1;
}

namespace {

WriteFaultHook g_writeFaultHook = nullptr;

// The system's text for an error number, in English whatever the locale.
QString SystemReason(int error)
{
    const locale_t previous = uselocale(CLocale());
    const QString reason = QString::fromLocal8Bit(std::strerror(error));
    uselocale(previous);
    return reason;
}

// Qt's text for a failed file operation, or the system's when Qt has none
// worth showing: after a failed flush or close it often says only
// "Unknown error".
QString FailureReason(const QFileDevice& file, int error)
{
    const QString qtReason = file.errorString();
    if (error != 0 && (qtReason.isEmpty() || qtReason == QLatin1String("Unknown error")))
        return SystemReason(error);
    return qtReason.isEmpty() ? QStringLiteral("Unknown error") : qtReason;
}

// The hook's error number for `step`, 0 when there is no hook or it lets
// the step go on.
int InjectedFault(WriteStep step) { return g_writeFaultHook ? g_writeFaultHook(step) : 0; }

// Sends `bytes` block by block; false with the reason at the first block
// the system does not take whole.
bool WriteBlocks(QSaveFile& file, const QByteArray& bytes, QString& error)
{
    for (qint64 at = 0; at < bytes.size(); at += kWriteBlockBytes) {
        const qint64 length = std::min<qint64>(kWriteBlockBytes, bytes.size() - at);
        if (const int fault = InjectedFault(WriteStep::Write)) {
            error = SystemReason(fault);
            return false;
        }
        errno = 0;
        if (file.write(bytes.constData() + at, length) != length) {
            error = FailureReason(file, errno);
            return false;
        }
    }
    return true;
}

// The data must be on the disk before the rename makes it the file: a full
// disk may only say so here.
bool FlushAndSync(QSaveFile& file, QString& error)
{
    if (const int fault = InjectedFault(WriteStep::Flush)) {
        error = SystemReason(fault);
        return false;
    }
    errno = 0;
    if (!file.flush()) {
        error = FailureReason(file, errno);
        return false;
    }
    const int fd = file.handle();
    if (fd >= 0 && ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) {
        // EINVAL and EROFS: a file that cannot be synced, not a failed write.
        error = SystemReason(errno);
        return false;
    }
    return true;
}

} // namespace

void SetWriteFaultHook(WriteFaultHook hook) { g_writeFaultHook = hook; }

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString& error)
{
    // The rename would put a plain file in place of a device, a FIFO or a
    // folder.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        error = QStringLiteral("not a regular file");
        return false;
    }
    if (const int fault = InjectedFault(WriteStep::Open)) {
        error = SystemReason(fault);
        return false;
    }
    auto saved = std::make_unique<QSaveFile>(path);
    QSaveFile& file = *saved;
    // Unbuffered, so that each write reaches the system and its failure is
    // seen at that write rather than lost in a later flush.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = FailureReason(file, errno);
        return false;
    }
    if (!WriteBlocks(file, bytes, error) || !FlushAndSync(file, error)) {
        file.cancelWriting();
        return false;
    }
    if (const int fault = InjectedFault(WriteStep::Commit)) {
        error = SystemReason(fault);
        file.cancelWriting();
        return false;
    }
    // An open batch renames it later, together with the others.
    if (OutputBatch* batch = OutputBatch::active()) {
        batch->stage(std::move(saved));
        return true;
    }
    errno = 0;
    if (!file.commit()) {
        error = FailureReason(file, errno);
        return false;
    }
    return true;
}

namespace {

constexpr qint64 kReadBlockBytes = 64 * 1024;

QString TooLargeReason(qint64 maxBytes) { return QStringLiteral("the file is larger than %1 bytes").arg(maxBytes); }

// Reads what `fd` holds, at most maxBytes + 1 bytes so that a file growing
// past the limit is seen without taking all of it.
FileReadResult ReadDescriptor(int fd, qint64 expected, qint64 maxBytes, QByteArray& bytes)
{
    QByteArray data;
    data.reserve(qsizetype(std::min(expected, maxBytes) + 1));
    char block[kReadBlockBytes];
    while (data.size() <= maxBytes) {
        const qint64 wanted = std::min<qint64>(kReadBlockBytes, maxBytes + 1 - data.size());
        const ssize_t got = ::read(fd, block, size_t(wanted));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return FileReadResult{FileReadStatus::ReadError, SystemReason(errno), 0};
        if (got == 0)
            break;
        data.append(block, qsizetype(got));
    }
    if (data.size() > maxBytes)
        return FileReadResult{FileReadStatus::TooLarge, TooLargeReason(maxBytes), data.size()};
    bytes = std::move(data);
    return FileReadResult{FileReadStatus::Ok, QString(), bytes.size()};
}

// Opens without waiting: a FIFO with no writer would block an open for
// reading until one comes.
int OpenNonBlocking(const QString& path)
{
    if (path.isEmpty()) {
        errno = ENOENT;
        return -1;
    }
    int fd;
    do {
        fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

FileReadResult ReadWholeFile(const QString& path, qint64 maxBytes, QByteArray& bytes)
{
    const int fd = OpenNonBlocking(path);
    if (fd < 0)
        return FileReadResult{FileReadStatus::CannotOpen, SystemReason(errno), 0};
    struct stat info {};
    FileReadResult result;
    if (::fstat(fd, &info) != 0)
        result = FileReadResult{FileReadStatus::ReadError, SystemReason(errno), 0};
    else if (!S_ISREG(info.st_mode))
        result = FileReadResult{FileReadStatus::NotRegularFile, QStringLiteral("not a regular file"), 0};
    else if (info.st_size > maxBytes)
        result = FileReadResult{FileReadStatus::TooLarge, TooLargeReason(maxBytes), qint64(info.st_size)};
    else
        result = ReadDescriptor(fd, qint64(info.st_size), maxBytes, bytes);
    ::close(fd);
    return result;
}

bool CanOpenForReading(const QString& path)
{
    const int fd = OpenNonBlocking(path);
    if (fd < 0)
        return false;
    struct stat info {};
    const bool folder = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
    ::close(fd);
    return !folder;
}
