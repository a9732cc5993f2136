#include "problem/VlpFile.h"

#include "base/Messages.h"
#include "base/TextFileFormat.h"
#include "problem/FileMessages.h"
#include "problem/TextLines.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

QString Text(const char* text) { return QString::fromUtf8(text); }

struct Bounds {
    char type = 'f';
    Real lower = 0;
    Real upper = 0;
};

// Thrown inside the parser only: the first line that is wrong ends the
// reading.
struct Stop {
    VlpReadStatus status;
    QString message;
};

class VlpParser {
public:
    void parse(const QByteArray& bytes)
    {
        QByteArray line;
        bool ended = false;
        for (qsizetype at = 0; !ended && NextLine(bytes, at, line);) {
            ++lineNo_;
            const QList<QByteArray> words = Words(line);
            if (!words.isEmpty())
                ended = item(words);
        }
        if (!ended)
            refuse(Text(filemsg::kVlpNoEnd));
        checkCounts();
        buildRows();
    }

    void fill(ProblemData& out) const
    {
        const int n = int(n_);
        const int q = int(q_);
        const int m = int(rows_.size());
        out.numObjectives = q;
        out.numVariables = n;
        out.numConstraints = m;
        for (int k = 1; k <= q; ++k) {
            out.objSense[k] = sense_;
            out.objName[k] = DefaultObjectiveName(k);
            for (int j = 1; j <= n; ++j)
                out.objCoef[k][j] = 0;
        }
        for (const auto& [at, value] : objectives_)
            out.objCoef[at.first][at.second] = value;
        for (int i = 1; i <= m; ++i) {
            const Row& row = rows_[std::size_t(i - 1)];
            out.conType[i] = row.type;
            out.conRhs[i] = row.rhs;
            for (int j = 1; j <= n; ++j)
                out.conCoef[i][j] = 0;
            for (auto it = entries_.lower_bound({row.fileRow, 0});
                 it != entries_.end() && it->first.first == row.fileRow; ++it)
                out.conCoef[i][it->first.second] = it->second;
        }
        for (int j = 1; j <= MaxVariables; ++j)
            out.vars[j] = VariableDef{0, kInfiniteBound, j <= n ? DefaultVariableName(j) : out.vars[j].name};
        for (int j = 1; j <= n; ++j) {
            // The format fixes a column without a j line at 0.
            const auto it = columns_.find(j);
            if (it == columns_.end()) {
                out.vars[j].ub = 0;
                continue;
            }
            const Bounds& b = it->second;
            out.vars[j].lb = b.lower;
            out.vars[j].ub = b.type == 'l' ? kInfiniteBound : b.upper;
        }
    }

private:
    struct Row {
        std::int64_t fileRow;
        std::uint8_t type;
        Real rhs;
    };

    [[noreturn]] void refuse(const QString& reason) const
    {
        throw Stop{VlpReadStatus::Refused, Text(filemsg::kInputErrorAtLine).arg(lineNo_).arg(reason)};
    }
    [[noreturn]] void tooBig(int line, const QString& reason) const
    {
        throw Stop{VlpReadStatus::TooBig,
                   Text(msg::kTooBig) + QLatin1Char('\n') + Text(filemsg::kAtLine).arg(line).arg(reason)};
    }

    // Returns true at the end of the file.
    bool item(const QList<QByteArray>& w)
    {
        const QByteArray& kind = w.at(0);
        if (kind == "c")
            return false;
        if (kind == "e")
            return true;
        if (kind == "k")
            refuse(Text(filemsg::kVlpOtherCone).arg(QStringLiteral("k")));
        if (kind == "p") {
            problemLine(w);
            return false;
        }
        if (kind != "a" && kind != "o" && kind != "i" && kind != "j")
            refuse(Text(filemsg::kVlpUnknownLine).arg(FromCp1252(kind)));
        if (!haveProblem_)
            refuse(Text(filemsg::kVlpBeforeProblemLine).arg(FromCp1252(kind)));
        if (kind == "a")
            entry(w, m_, filemsg::kVlpRowKind, entries_);
        else if (kind == "o")
            entry(w, q_, filemsg::kVlpObjectiveKind, objectives_);
        else
            bounds(w, kind == "i");
        return false;
    }

    void problemLine(const QList<QByteArray>& w)
    {
        if (haveProblem_)
            refuse(Text(filemsg::kVlpSecondProblemLine));
        if (w.size() < 8 || w.at(1) != "vlp")
            refuse(Text(filemsg::kVlpProblemLine));
        const QByteArray sense = w.at(2).toLower();
        if (sense != "min" && sense != "max")
            refuse(Text(filemsg::kVlpProblemLine));
        if (w.size() > 8) {
            // "cone", "dualcone" and their counts: an ordering of the
            // objectives the workspace has no place for.
            QByteArrayList rest = w.mid(8);
            refuse(Text(filemsg::kVlpOtherCone).arg(FromCp1252(rest.join(' '))));
        }
        sense_ = sense == "max" ? 1 : -1;
        m_ = count(w.at(3));
        n_ = count(w.at(4));
        nz_ = count(w.at(5));
        q_ = count(w.at(6));
        qnz_ = count(w.at(7));
        problemLine_ = lineNo_;
        haveProblem_ = true;
        if (q_ > MaxObjectives)
            tooBig(lineNo_, Text(filemsg::kVlpTooManyObjectives).arg(q_).arg(MaxObjectives));
        if (n_ > MaxVariables)
            tooBig(lineNo_, Text(filemsg::kVlpTooManyColumns).arg(n_).arg(MaxVariables));
        if (q_ == 0)
            refuse(Text(filemsg::kVlpNoObjective));
        if (n_ == 0)
            refuse(Text(filemsg::kVlpNoColumn));
    }

    std::int64_t count(const QByteArray& word) const
    {
        const std::int64_t value = integer(word);
        if (value < 0)
            refuse(Text(filemsg::kVlpNegativeCount));
        return value;
    }

    std::int64_t integer(const QByteArray& word) const
    {
        bool ok = false;
        const qlonglong value = word.toLongLong(&ok);
        if (!ok)
            refuse(Text(filemsg::kVlpNotAnInteger).arg(FromCp1252(word)));
        return value;
    }

    Real number(const QByteArray& word) const
    {
        TokenReader reader(word);
        const std::optional<Real> value = reader.readReal();
        if (!value || !reader.atEnd())
            refuse(Text(filemsg::kVlpNotANumber).arg(FromCp1252(word)));
        return *value;
    }

    std::int64_t index(const QByteArray& word, std::int64_t last, const char* kind) const
    {
        const std::int64_t value = integer(word);
        if (value < 1 || value > last)
            refuse(Text(filemsg::kVlpIndex).arg(Text(kind)).arg(value).arg(last));
        return value;
    }

    void wordCount(const QList<QByteArray>& w, qsizetype expected) const
    {
        if (w.size() != expected)
            refuse(Text(filemsg::kVlpWordCount).arg(FromCp1252(w.at(0))).arg(w.size()).arg(expected));
    }

    template <typename Map>
    void entry(const QList<QByteArray>& w, std::int64_t rows, const char* kind, Map& into)
    {
        wordCount(w, 4);
        const std::int64_t row = index(w.at(1), rows, kind);
        const std::int64_t column = index(w.at(2), n_, filemsg::kVlpColumnKind);
        const Real value = number(w.at(3));
        if (!into.emplace(std::make_pair(row, int(column)), value).second)
            refuse(Text(filemsg::kVlpTwice).arg(FromCp1252(w.mid(0, 3).join(' '))));
    }

    void bounds(const QList<QByteArray>& w, bool row)
    {
        if (w.size() < 3)
            wordCount(w, 3);
        const std::int64_t at =
            index(w.at(1), row ? m_ : n_, row ? filemsg::kVlpRowKind : filemsg::kVlpColumnKind);
        const QByteArray& type = w.at(2);
        Bounds b;
        b.type = type.size() == 1 ? type.at(0) : '?';
        switch (b.type) {
        case 'f': wordCount(w, 3); break;
        case 'l':
        case 's':
            wordCount(w, 4);
            b.lower = b.upper = number(w.at(3));
            break;
        case 'u':
            wordCount(w, 4);
            b.upper = number(w.at(3));
            break;
        case 'd':
            wordCount(w, 5);
            b.lower = number(w.at(3));
            // Crossed bounds are an infeasible problem, not a damaged file.
            b.upper = number(w.at(4));
            break;
        default: refuse(Text(filemsg::kVlpBoundType).arg(FromCp1252(type)));
        }
        if (!row && (b.type == 'f' || b.type == 'u'))
            refuse(Text(filemsg::kVlpNoLowerBound).arg(at));
        auto& into = row ? rowBounds_ : columns_;
        if (!into.emplace(at, b).second)
            refuse(Text(filemsg::kVlpTwice).arg(FromCp1252(w.mid(0, 2).join(' '))));
    }

    void checkCounts() const
    {
        if (!haveProblem_)
            refuse(Text(filemsg::kVlpNoProblemLine));
        const auto check = [this](std::int64_t announced, std::size_t found, const char* kind) {
            if (announced != std::int64_t(found))
                refuse(Text(filemsg::kVlpEntryCount).arg(announced).arg(Text(kind)).arg(found));
        };
        check(nz_, entries_.size(), filemsg::kVlpConstraintKind);
        check(qnz_, objectives_.size(), filemsg::kVlpObjectiveKind);
    }

    // The workspace's rows in the order of the file's: a free row is
    // dropped, a row with two different bounds becomes two.
    void buildRows()
    {
        for (const auto& [fileRow, b] : rowBounds_) {
            switch (b.type) {
            case 'l': rows_.push_back(Row{fileRow, ConGreaterEqual, b.lower}); break;
            case 'u': rows_.push_back(Row{fileRow, ConLessEqual, b.upper}); break;
            case 's': rows_.push_back(Row{fileRow, ConEqual, b.lower}); break;
            case 'd':
                if (b.lower == b.upper) {
                    rows_.push_back(Row{fileRow, ConEqual, b.lower});
                } else {
                    rows_.push_back(Row{fileRow, ConGreaterEqual, b.lower});
                    rows_.push_back(Row{fileRow, ConLessEqual, b.upper});
                }
                break;
            default: break;
            }
        }
        if (int(rows_.size()) > MaxConstraints)
            tooBig(problemLine_, Text(filemsg::kVlpTooManyRows).arg(rows_.size()).arg(MaxConstraints));
    }

    int lineNo_ = 0;
    bool haveProblem_ = false;
    int problemLine_ = 0;
    int sense_ = -1;
    std::int64_t m_ = 0, n_ = 0, nz_ = 0, q_ = 0, qnz_ = 0;
    // Keyed by (row or objective, column), both 1-based as in the file.
    std::map<std::pair<std::int64_t, int>, Real> entries_;
    std::map<std::pair<std::int64_t, int>, Real> objectives_;
    std::map<std::int64_t, Bounds> rowBounds_;
    std::map<std::int64_t, Bounds> columns_;
    std::vector<Row> rows_;
};

// The shortest text that reads back as exactly `value`.
QByteArray Number(Real value)
{
    char buffer[64];
    const auto done = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QByteArray(buffer, int(done.ptr - buffer));
}

} // namespace

VlpReadResult ParseVlpText(const QByteArray& bytes, ProblemData& problem)
{
    VlpParser parser;
    try {
        parser.parse(bytes);
    } catch (const Stop& stop) {
        return VlpReadResult{stop.status, stop.message};
    }
    // The copy is large (two coefficient matrices), so it lives on the heap.
    auto copy = std::make_unique<ProblemData>(problem);
    parser.fill(*copy);
    problem = std::move(*copy);
    return {};
}

VlpReadResult ReadVlpFile(const QString& path, ProblemData& problem)
{
    QByteArray bytes;
    const FileReadResult read = ReadWholeFile(path, kMaxVlpFileBytes, bytes);
    if (read.status != FileReadStatus::Ok)
        return VlpReadResult{VlpReadStatus::Refused, ProblemFileReadError(path, read, kMaxVlpFileBytes)};
    return ParseVlpText(bytes, problem);
}

QByteArray VlpFileText(const ProblemData& problem)
{
    const int p = std::clamp(problem.numObjectives, 0, MaxObjectives);
    const int m = std::clamp(problem.numConstraints, 0, MaxConstraints);
    const int n = std::clamp(problem.numVariables, 0, MaxVariables);
    bool allMinimized = true;
    for (int k = 1; k <= p; ++k)
        allMinimized = allMinimized && problem.objSense[k] == -1;
    // One sense for every objective: the minimized ones of a mixed problem
    // are maximized with their signs turned.
    const auto objectiveSign = [&](int k) { return !allMinimized && problem.objSense[k] == -1 ? -1 : 1; };

    int nz = 0;
    int qnz = 0;
    for (int i = 1; i <= m; ++i)
        for (int j = 1; j <= n; ++j)
            nz += problem.conCoef[i][j] != 0;
    for (int k = 1; k <= p; ++k)
        for (int j = 1; j <= n; ++j)
            qnz += problem.objCoef[k][j] != 0;

    QByteArray text;
    const auto line = [&text](const QByteArray& l) { text += l + '\n'; };
    line("c " + ToCp1252(QStringLiteral("%1 objectives, %2 constraints, %3 variables").arg(p).arg(m).arg(n)));
    for (int k = 1; k <= p; ++k)
        line("c objective " + QByteArray::number(k) + ": " + ToCp1252(problem.objName[k])
             + (objectiveSign(k) < 0 ? " (minimized: written with the opposite signs)" : ""));
    for (int j = 1; j <= n; ++j)
        line("c column " + QByteArray::number(j) + ": " + ToCp1252(problem.vars[j].name));
    line(QByteArray("p vlp ") + (allMinimized ? "min " : "max ") + QByteArray::number(m) + ' '
         + QByteArray::number(n) + ' ' + QByteArray::number(nz) + ' ' + QByteArray::number(p) + ' '
         + QByteArray::number(qnz));
    for (int i = 1; i <= m; ++i)
        for (int j = 1; j <= n; ++j)
            if (problem.conCoef[i][j] != 0)
                line("a " + QByteArray::number(i) + ' ' + QByteArray::number(j) + ' ' + Number(problem.conCoef[i][j]));
    for (int k = 1; k <= p; ++k)
        for (int j = 1; j <= n; ++j)
            if (problem.objCoef[k][j] != 0)
                line("o " + QByteArray::number(k) + ' ' + QByteArray::number(j) + ' '
                     + Number(objectiveSign(k) * problem.objCoef[k][j]));
    for (int i = 1; i <= m; ++i) {
        const char* type = problem.conType[i] == ConGreaterEqual ? " l " : problem.conType[i] == ConEqual ? " s " : " u ";
        line("i " + QByteArray::number(i) + type + Number(problem.conRhs[i]));
    }
    for (int j = 1; j <= n; ++j) {
        const VariableDef& v = problem.vars[j];
        QByteArray bounds;
        // Only the stored "no bound" is written as one: a bound of 1e35 is
        // written as it is, so that it reads back the same (and counts as
        // no bound there too).
        if (v.ub == kInfiniteBound)
            bounds = " l " + Number(v.lb);
        else if (v.lb == v.ub)
            bounds = " s " + Number(v.lb);
        else
            bounds = " d " + Number(v.lb) + ' ' + Number(v.ub);
        line("j " + QByteArray::number(j) + bounds);
    }
    line("e");
    return text;
}

ProblemWriteResult WriteVlpFile(const QString& path, const ProblemData& problem)
{
    QString error;
    if (!WriteWholeFile(path, VlpFileText(problem), error))
        return ProblemWriteResult{false, QStringLiteral("Cannot write %1: %2").arg(path, error)};
    return {};
}
