#include "problem/ProblemFile.h"

#include "base/TextFileFormat.h"

#include <algorithm>
#include <memory>

namespace {

const QByteArray kCrLf = QByteArrayLiteral("\r\n");
const QByteArray kObjectivesHeading =
    QByteArrayLiteral("O.FUNCTIONS: type (1=MAX; -1=MIN) ; coefficients ");
const QByteArray kConstraintsHeading =
    QByteArrayLiteral("CONSTRAINTS: coefficients; type (0 <=, 1 =, 2 >=); rhs");
const QByteArray kVariablesHeading = QByteArrayLiteral("VARIABLES:  LB; UB (infinite=1e41); name");

// Thrown inside the parser only; ParseProblemText turns it into a result.
struct ParseFailure {
    ProblemReadStatus status;
    QString message;
};

class ProblemParser {
public:
    explicit ProblemParser(const QByteArray& bytes)
        : reader_(bytes), endsWithLineEnd_(bytes.endsWith('\n') || bytes.endsWith('\r'))
    {
    }

    void parse(ProblemData& out)
    {
        const std::int64_t p = integer();
        reader_.skipLine();
        const std::int64_t m = integer();
        reader_.skipLine();
        const std::int64_t n = integer();
        reader_.skipLine();

        if (p > MaxObjectives || m > MaxConstraints || n > MaxVariables)
            throw ParseFailure{ProblemReadStatus::TooBig, QStringLiteral("Can\u00B4t read this problem. It is too big!")};
        if (p < 1 || m < 0 || n < 1)
            throw ParseFailure{ProblemReadStatus::InputError,
                               QStringLiteral("Input error: invalid problem sizes (%1 objective functions, "
                                              "%2 constraints, %3 variables).")
                                   .arg(p)
                                   .arg(m)
                                   .arg(n)};
        out.numObjectives = std::int32_t(p);
        out.numConstraints = std::int32_t(m);
        out.numVariables = std::int32_t(n);

        reader_.skipLine(); // objectives heading
        for (int k = 1; k <= p; ++k) {
            const std::int64_t sense = integer();
            // Any sense is kept as read, but it has to fit its byte.
            if (sense < -128 || sense > 127)
                throw notANumber();
            out.objSense[k] = std::int8_t(sense);
            for (int j = 1; j <= n; ++j)
                out.objCoef[k][j] = real();
            QString name = nameOnLine(MaxObjNameLength);
            out.objName[k] = name.isEmpty() ? DefaultObjectiveName(k) : name;
            reader_.skipLine();
        }

        reader_.skipLine(); // constraints heading
        for (int i = 1; i <= m; ++i) {
            for (int j = 1; j <= n; ++j)
                out.conCoef[i][j] = real();
            const std::int64_t type = integer();
            // Any other code leaves the row's type as it was.
            if (type == ConLessEqual || type == ConEqual || type == ConGreaterEqual)
                out.conType[i] = std::uint8_t(type);
            out.conRhs[i] = real();
            reader_.skipLine();
        }

        reader_.skipLine(); // variables heading
        for (int j = 1; j <= n; ++j) {
            out.vars[j].lb = real();
            out.vars[j].ub = real();
            // Unlike objectives, a name of only TABs stays empty.
            out.vars[j].name = reader_.atLineEnd() ? DefaultVariableName(j) : nameOnLine(MaxVarNameLength);
            reader_.skipLine();
        }
    }

private:
    std::int64_t integer()
    {
        const auto value = reader_.readInteger();
        if (!value)
            throw failure();
        return *value;
    }

    Real real()
    {
        const auto value = reader_.readReal();
        if (!value)
            throw failure();
        return *value;
    }

    // The rest of the line without its TABs, at most maxLength characters;
    // empty when the line ends here.
    QString nameOnLine(int maxLength) const
    {
        QByteArray raw = reader_.restOfLine();
        raw.replace('\t', QByteArray());
        return FromCp1252(raw.left(maxLength));
    }

    ParseFailure failure() const
    {
        if (!reader_.lastFailureWasEnd())
            return notANumber();
        // A final line end does not open another line: report the last one.
        int line = reader_.lineNumber();
        if (endsWithLineEnd_ && line > 1)
            --line;
        return ParseFailure{
            ProblemReadStatus::InputError,
            QStringLiteral("Input error in line %1: the file ends before the problem is complete.").arg(line)};
    }

    ParseFailure notANumber() const
    {
        return ParseFailure{ProblemReadStatus::InputError,
                            QStringLiteral("Input error in line %1: \"%2\" is not a valid number.")
                                .arg(reader_.lineNumber())
                                .arg(FromCp1252(reader_.lastToken()))};
    }

    TokenReader reader_;
    bool endsWithLineEnd_;
};

// A name must stay on its line: line ends inside it would break the layout.
QByteArray NameBytes(const QString& name)
{
    QByteArray bytes = ToCp1252(name);
    bytes.replace('\r', QByteArray());
    bytes.replace('\n', QByteArray());
    return bytes;
}

QByteArray RealBytes(Real value) { return FormatFileReal(value).toLatin1(); }

} // namespace

bool ProblemFileExists(const QString& path) { return CanOpenForReading(path); }

ProblemReadResult ParseProblemText(const QByteArray& bytes, ProblemData& problem)
{
    // The copy is large (two coefficient matrices), so it lives on the heap.
    auto copy = std::make_unique<ProblemData>(problem);
    try {
        ProblemParser(bytes).parse(*copy);
    } catch (const ParseFailure& failure) {
        return ProblemReadResult{failure.status, failure.message};
    }
    problem = std::move(*copy);
    return ProblemReadResult{};
}

ProblemReadResult ReadProblemFile(const QString& path, ProblemData& problem)
{
    QByteArray bytes;
    const FileReadResult read = ReadWholeFile(path, kMaxProblemFileBytes, bytes);
    if (read.status != FileReadStatus::Ok)
        return ProblemReadResult{ProblemReadStatus::InputError, ProblemFileReadError(path, read, kMaxProblemFileBytes)};
    return ParseProblemText(bytes, problem);
}

QString ProblemFileReadError(const QString& path, const FileReadResult& read, qint64 maxBytes)
{
    switch (read.status) {
    case FileReadStatus::CannotOpen: return QStringLiteral("Input error: cannot open %1.").arg(path);
    case FileReadStatus::NotRegularFile: return QStringLiteral("Input error: %1 is not a regular file.").arg(path);
    case FileReadStatus::TooLarge:
        return QStringLiteral("Input error: %1 is larger than any problem within the limits can be (%2 bytes at most).")
            .arg(path)
            .arg(maxBytes);
    case FileReadStatus::ReadError:
    case FileReadStatus::Ok: break;
    }
    return QStringLiteral("Input error: cannot read %1.").arg(path);
}

QByteArray ProblemFileText(const ProblemData& problem)
{
    const int p = problem.numObjectives;
    const int m = problem.numConstraints;
    const int n = problem.numVariables;
    // The loops stay inside the arrays even for counts no reader accepts.
    const int rowsP = std::clamp(p, 0, MaxObjectives);
    const int rowsM = std::clamp(m, 0, MaxConstraints);
    const int cols = std::clamp(n, 0, MaxVariables);

    QByteArray text;
    text.reserve(512 + (rowsP + rowsM + 1) * (cols + 2) * 24 + cols * 72);
    text += QByteArray::number(p) + "\t(number of O.F.)" + kCrLf;
    text += QByteArray::number(m) + "\t(number of Constraints)" + kCrLf;
    text += QByteArray::number(n) + "\t(number of variables}" + kCrLf;

    text += kObjectivesHeading + kCrLf;
    for (int k = 1; k <= rowsP; ++k) {
        text += QByteArray::number(int(problem.objSense[k]));
        text += '\t';
        for (int j = 1; j <= cols; ++j) {
            text += RealBytes(problem.objCoef[k][j]);
            text += '\t';
        }
        text += NameBytes(problem.objName[k]);
        text += kCrLf;
    }

    text += kConstraintsHeading + kCrLf;
    for (int i = 1; i <= rowsM; ++i) {
        for (int j = 1; j <= cols; ++j) {
            text += RealBytes(problem.conCoef[i][j]);
            text += '\t';
        }
        text += QByteArray::number(int(problem.conType[i]));
        text += '\t';
        text += RealBytes(problem.conRhs[i]);
        text += kCrLf;
    }

    text += kVariablesHeading + kCrLf;
    for (int j = 1; j <= cols; ++j) {
        text += RealBytes(problem.vars[j].lb);
        text += '\t';
        text += RealBytes(problem.vars[j].ub);
        text += '\t';
        text += NameBytes(problem.vars[j].name);
        text += kCrLf;
    }
    return text;
}

ProblemWriteResult WriteProblemFile(const QString& path, const ProblemData& problem)
{
    QString error;
    if (!WriteWholeFile(path, ProblemFileText(problem), error))
        return ProblemWriteResult{false, QStringLiteral("Cannot write %1: %2").arg(path, error)};
    return ProblemWriteResult{};
}
