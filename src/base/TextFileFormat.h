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
// significant digits: 1 -> " 1.00000000000000E+0000".
QString FormatFileReal(Real value);

// Writes `bytes` to a temporary file renamed over `path`, so a failed write
// never destroys the previous file. False with the system's reason in
// `error` when it fails.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString& error);

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
    // The same skipping; up to 64 characters; a decimal real ("1.5E+0003",
    // "-2", "1e41"). The character that ended the token is not consumed.
    std::optional<Real> readReal();
    // Discard the rest of the current line including its line end.
    void skipLine();
    // True when the next character is a line end or the end of the data.
    bool atLineEnd() const;
    // The rest of the current line without its line end (not consumed).
    QByteArray restOfLine() const;
    bool atEnd() const;
    int lineNumber() const { return line_; }
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
