#pragma once

#include <QByteArray>
#include <QList>

// Line and token splitting shared by the MPS and .vlp readers.

inline bool IsBlankChar(char c) { return c == ' ' || c == '\t'; }

// The next line of `bytes` from `at` without its line end (LF, CR LF or a
// lone CR), moving `at` past it; false at the end. One line at a time, so
// that a file of many short lines costs no more than its bytes.
inline bool NextLine(const QByteArray& bytes, qsizetype& at, QByteArray& line)
{
    const qsizetype size = bytes.size();
    if (at >= size)
        return false;
    qsizetype end = at;
    while (end < size && bytes.at(end) != '\n' && bytes.at(end) != '\r')
        ++end;
    line = bytes.mid(at, end - at);
    at = end;
    if (at < size)
        at += (bytes.at(at) == '\r' && at + 1 < size && bytes.at(at + 1) == '\n') ? 2 : 1;
    return true;
}

// The words of `line`, split at blanks and TABs.
inline QList<QByteArray> Words(const QByteArray& line)
{
    QList<QByteArray> words;
    qsizetype at = 0;
    const qsizetype size = line.size();
    while (at < size) {
        while (at < size && IsBlankChar(line.at(at)))
            ++at;
        const qsizetype start = at;
        while (at < size && !IsBlankChar(line.at(at)))
            ++at;
        if (at > start)
            words.push_back(line.mid(start, at - start));
    }
    return words;
}
