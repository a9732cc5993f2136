#include "problem/MpsFile.h"

#include "problem/ProblemFile.h"
#include "problem/ProblemRows.h"
#include "base/Messages.h"
#include "base/TextFileFormat.h"
#include "problem/FileMessages.h"
#include "problem/TextLines.h"

#include <QHash>

#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

namespace {

// Field positions of a data line, 1-based and inclusive.
struct FieldPos {
    int first;
    int last;
};
constexpr FieldPos kTypeField{2, 3};
constexpr FieldPos kName1Field{5, 12};
constexpr FieldPos kName2Field{15, 22};
constexpr FieldPos kValue1Field{25, 36};
constexpr FieldPos kName3Field{40, 47};
constexpr FieldPos kValue2Field{50, 61};
constexpr FieldPos kFields[] = {kTypeField, kName1Field, kName2Field, kValue1Field, kName3Field, kValue2Field};

enum class RowKind { LessEqual, Equal, GreaterEqual, Objective };

// Sections in the order a file must give them.
enum class Section { BeforeRows, Rows, Columns, Rhs, Bounds, Other };

struct MpsRow {
    QByteArray name;
    RowKind kind;
    int line;
};

struct Entry {
    int row; // 0-based index into the rows
    int column;
    Real value;
};

struct ColumnBounds {
    Real lb = 0;
    Real ub = kInfiniteBound;
};

// One data line in its fields, cut at fixed positions or taken word by word.
// Value fields are kept as text: a pair is only converted when it is used.
struct Fields {
    QByteArray type;
    QByteArray name1;
    QByteArray name2;
    QByteArray value1;
    QByteArray name3;
    QByteArray value2;
};

QString Text(const char* text) { return QString::fromUtf8(text); }
QString Name(const QByteArray& name) { return FromCp1252(name); }

QByteArray Field(const QByteArray& line, FieldPos pos)
{
    if (line.size() < pos.first)
        return {};
    return line.mid(pos.first - 1, pos.last - pos.first + 1);
}

// A name field without its trailing blanks; leading blanks belong to the
// name in the fixed-column format.
QByteArray NameField(const QByteArray& line, FieldPos pos)
{
    QByteArray name = Field(line, pos);
    int end = name.size();
    while (end > 0 && IsBlankChar(name.at(end - 1)))
        --end;
    name.truncate(end);
    return name;
}

bool IsBlankLine(const QByteArray& line)
{
    for (char c : line)
        if (!IsBlankChar(c))
            return false;
    return true;
}

bool IsComment(const QByteArray& line) { return line.isEmpty() || IsBlankLine(line) || line.startsWith('*'); }

QByteArray Keyword(const QByteArray& header)
{
    int end = 0;
    while (end < header.size() && !IsBlankChar(header.at(end)))
        ++end;
    return header.left(end);
}

Fields FixedFields(const QByteArray& line)
{
    return Fields{Field(line, kTypeField).trimmed(), NameField(line, kName1Field), NameField(line, kName2Field),
                  Field(line, kValue1Field).trimmed(),  NameField(line, kName3Field), Field(line, kValue2Field).trimmed()};
}

// True when every character of `line` that is not a blank lies inside a
// field, there is no TAB, and the fields the section needs are there: what
// a fixed-column writer produces, and what a free-format line with words
// of chance lengths hardly ever does.
bool FitsFixedColumns(const QByteArray& line, Section section)
{
    if (line.contains('\t'))
        return false;
    for (int at = 0; at < line.size(); ++at) {
        if (line.at(at) == ' ')
            continue;
        const int position = at + 1;
        bool inside = false;
        for (const FieldPos& f : kFields)
            inside = inside || (position >= f.first && position <= f.last);
        if (!inside)
            return false;
    }
    const Fields f = FixedFields(line);
    switch (section) {
    case Section::Rows: return !f.type.isEmpty() && !f.name1.isEmpty();
    case Section::Columns:
        if (line.contains("'MARKER'"))
            return true;
        [[fallthrough]];
    case Section::Rhs:
    case Section::Other:
        return f.type.isEmpty() && !f.name2.isEmpty() && !f.value1.isEmpty()
               && f.name3.isEmpty() == f.value2.isEmpty();
    case Section::Bounds: return !f.type.isEmpty() && !f.name2.isEmpty();
    case Section::BeforeRows: break;
    }
    return true;
}

// Thrown inside the parser only: a value field that is not a number.
struct NotANumber {
    QString message;
};

class MpsParser {
public:
    explicit MpsParser(MpsFormat format) : free_(format == MpsFormat::Free) {}

    void parse(const QByteArray& bytes)
    {
        QByteArray line;
        for (qsizetype at = 0; NextLine(bytes, at, line);) {
            ++lineNo_;
            if (IsComment(line))
                continue;
            if (!IsBlankChar(line.at(0))) {
                if (!header(line))
                    break;
                continue;
            }
            if (objSensePending_) {
                objSenseLine(line);
                continue;
            }
            Fields f;
            if (section_ == Section::BeforeRows || !fields(line, f))
                continue;
            switch (section_) {
            case Section::Rows: rowLine(f); break;
            case Section::Columns: columnLine(line, f); break;
            case Section::Rhs: rhsLine(f); break;
            case Section::Bounds: boundLine(f); break;
            case Section::BeforeRows:
            case Section::Other: break;
            }
        }
        if (objSensePending_ && !objSenseRead_)
            refuseAt(objSenseHeaderLine_, Text(filemsg::kObjSenseMissing));
        // ENDATA may be missing: the file ends where its data ends, as the
        // format has always been read.
        if (objectiveRows_ == 0)
            refuse(Text(filemsg::kNoObjectiveRow));
        else if (columns_.empty())
            refuse(Text(filemsg::kNoColumn));
        if (result_.fits)
            checkShortNames();
    }

    const MpsReadResult& result() const { return result_; }
    int lineNumber() const { return std::max(lineNo_, 1); }

    // Writes the problem into `out`; only for an accepted result.
    void fill(ProblemData& out) const
    {
        const int rowCount = int(rows_.size());
        const int n = int(columns_.size());
        out.numConstraints = rowCount;
        out.numVariables = n;
        for (int i = 1; i <= rowCount; ++i) {
            for (int j = 1; j <= n; ++j)
                out.conCoef[i][j] = 0;
            out.conRhs[i] = 0;
            switch (rows_[std::size_t(i - 1)].kind) {
            case RowKind::Equal: out.conType[i] = ConEqual; break;
            case RowKind::GreaterEqual: out.conType[i] = ConGreaterEqual; break;
            default: out.conType[i] = ConLessEqual; break;
            }
        }
        for (const Entry& e : entries_)
            out.conCoef[e.row + 1][e.column + 1] = e.value;
        for (const auto& [row, value] : rhs_)
            out.conRhs[row + 1] = value;

        for (int j = 1; j <= MaxVariables; ++j) {
            out.vars[j].lb = 0;
            out.vars[j].ub = kInfiniteBound;
        }
        for (int j = 1; j <= n; ++j) {
            const std::size_t c = std::size_t(j - 1);
            out.vars[j].name = Name(columns_[c]).left(MaxVarNameLength);
            out.vars[j].lb = bounds_[c].lb;
            out.vars[j].ub = bounds_[c].ub;
        }

        // The objective rows leave the constraint table one by one; the rows
        // below each move up, so the constraints keep their order.
        int k = 0;
        int i = 1;
        for (const MpsRow& row : rows_) {
            if (row.kind != RowKind::Objective) {
                ++i;
                continue;
            }
            ++k;
            for (int j = 1; j <= n; ++j)
                out.objCoef[k][j] = out.conCoef[i][j];
            out.objSense[k] = sense_;
            out.objName[k] = Name(row.name).left(MaxObjNameLength);
            DeleteConstraintRow(out, i);
        }
        out.numObjectives = k;
    }

private:
    QString atLine(int line, const QString& reason) const
    {
        return Text(filemsg::kAtLine).arg(line).arg(reason);
    }
    void refuseAt(int line, const QString& reason)
    {
        if (result_.converted)
            result_.notConvertedAt = atLine(line, reason);
        result_.converted = false;
    }
    void refuse(const QString& reason) { refuseAt(lineNumber(), reason); }
    void tooBig(const QString& reason)
    {
        if (result_.fits)
            result_.tooBigAt = atLine(lineNumber(), reason);
        result_.fits = false;
    }

    // Returns false when nothing more is to be read.
    bool header(const QByteArray& line)
    {
        const QByteArray keyword = Keyword(line);
        const QByteArray upper = keyword.toUpper();
        if (objSensePending_ && !objSenseRead_
            && (upper == "MAX" || upper == "MAXIMIZE" || upper == "MIN" || upper == "MINIMIZE")) {
            // Some writers put the sense in the first column.
            objSenseLine(line);
            return true;
        }
        if (objSensePending_ && !objSenseRead_)
            refuseAt(objSenseHeaderLine_, Text(filemsg::kObjSenseMissing));
        objSensePending_ = false;
        if (keyword == "OBJSENSE") {
            // The one-line form carries the sense after the keyword; the
            // section form on the next line.
            const QList<QByteArray> words = Words(line);
            if (words.size() == 1) {
                objSensePending_ = true;
                objSenseRead_ = false;
                objSenseHeaderLine_ = lineNo_;
            } else if (words.size() == 2) {
                setSense(words.at(1));
            } else {
                refuse(Text(filemsg::kFieldCount).arg(words.size()).arg(QStringLiteral("OBJSENSE")).arg(2));
            }
            return true;
        }
        if (keyword == "ENDATA") {
            ended_ = true;
            return false;
        }
        if (section_ == Section::BeforeRows) {
            // The NAME line, and anything else before the rows, says nothing
            // the problem needs.
            if (keyword == "ROWS")
                section_ = Section::Rows;
            return true;
        }
        if (keyword == "COLUMNS" && section_ == Section::Rows) {
            section_ = Section::Columns;
            return true;
        }
        if (keyword == "RHS" && section_ == Section::Columns) {
            section_ = Section::Rhs;
            return true;
        }
        if (keyword == "BOUNDS" && (section_ == Section::Columns || section_ == Section::Rhs)) {
            section_ = Section::Bounds;
            return true;
        }
        // Ranges, sections the reader does not know (or in the wrong
        // place): the rest of the file cannot be taken as it is meant.
        refuse(Text(filemsg::kUnknownSection).arg(Name(keyword)));
        return false;
    }

    void objSenseLine(const QByteArray& line)
    {
        const QList<QByteArray> words = Words(line);
        if (words.size() != 1) {
            refuse(Text(filemsg::kFieldCount).arg(words.size()).arg(QStringLiteral("OBJSENSE")).arg(1));
            return;
        }
        setSense(words.at(0));
        objSenseRead_ = true;
    }

    void setSense(const QByteArray& word)
    {
        const QByteArray upper = word.toUpper();
        if (upper == "MAX" || upper == "MAXIMIZE")
            sense_ = 1;
        else if (upper == "MIN" || upper == "MINIMIZE")
            sense_ = -1;
        else
            refuse(Text(filemsg::kObjSense).arg(Name(word)));
    }

    // The fields of a data line of the current section; false (and refused)
    // when a free-format line has a number of words its section never has.
    bool fields(const QByteArray& line, Fields& f)
    {
        if (!free_) {
            f = FixedFields(line);
            return true;
        }
        const QList<QByteArray> w = Words(line);
        const int count = int(w.size());
        const auto wrongCount = [&](const char* section, const char* expected) {
            refuse(Text(filemsg::kFieldCount).arg(count).arg(QLatin1String(section)).arg(QLatin1String(expected)));
            return false;
        };
        switch (section_) {
        case Section::Rows:
            if (count != 2)
                return wrongCount("ROWS", "2");
            f.type = w[0];
            f.name1 = w[1];
            return true;
        case Section::Columns:
            if (line.contains("'MARKER'"))
                return true;
            if (count != 3 && count != 5)
                return wrongCount("COLUMNS", "3 or 5");
            pairs(w, 0, f);
            return true;
        case Section::Rhs:
            if (count < 2 || count > 5)
                return wrongCount("RHS", "2 to 5");
            // An odd count has the set name first.
            pairs(w, count % 2 == 1 ? 0 : -1, f);
            return true;
        case Section::Bounds: return boundFields(w, f);
        case Section::BeforeRows:
        case Section::Other: break;
        }
        return false;
    }

    // name1 at `first` (none when -1), then row/value pairs.
    static void pairs(const QList<QByteArray>& w, int first, Fields& f)
    {
        const int at = first + 1;
        if (first >= 0)
            f.name1 = w[first];
        f.name2 = w[at];
        f.value1 = w[at + 1];
        if (w.size() > at + 2) {
            f.name3 = w[at + 2];
            f.value2 = w[at + 3];
        }
    }

    bool boundFields(const QList<QByteArray>& w, Fields& f)
    {
        const int count = int(w.size());
        f.type = count > 0 ? w[0] : QByteArray();
        const bool withValue = f.type == "LO" || f.type == "UP" || f.type == "FX" || f.type == "UI"
                               || f.type == "LI" || f.type == "SC";
        // The set name may be left out; the types without a value may still
        // carry one.
        if (withValue && (count == 3 || count == 4)) {
            f.name2 = w[count - 2];
            f.value1 = w[count - 1];
            return true;
        }
        if (!withValue && count == 2) {
            f.name2 = w[1];
            return true;
        }
        if (!withValue && count == 3) {
            const bool columnValue = columnIndex_.contains(w[1]) && !columnIndex_.contains(w[2]);
            f.name2 = columnValue ? w[1] : w[2];
            if (columnValue)
                f.value1 = w[2];
            return true;
        }
        if (!withValue && count == 4) {
            f.name2 = w[2];
            f.value1 = w[3];
            return true;
        }
        refuse(Text(filemsg::kFieldCount).arg(count).arg(QStringLiteral("BOUNDS")).arg(QStringLiteral("2 to 4")));
        return false;
    }

    void rowLine(const Fields& f)
    {
        RowKind kind = RowKind::LessEqual;
        if (f.type == "E")
            kind = RowKind::Equal;
        else if (f.type == "G")
            kind = RowKind::GreaterEqual;
        else if (f.type == "N")
            kind = RowKind::Objective;
        else if (f.type != "L")
            refuse(Text(filemsg::kRowType).arg(Name(f.type))); // a row the problem could only guess at
        if (f.name1.isEmpty())
            refuse(Text(filemsg::kRowWithoutName));
        else if (rowIndex_.contains(f.name1))
            refuse(Text(filemsg::kRowTwice).arg(Name(f.name1)));
        else
            rowIndex_.insert(f.name1, int(rows_.size()));
        rows_.push_back(MpsRow{f.name1, kind, lineNo_});
        if (kind == RowKind::Objective)
            ++objectiveRows_;
        if (int(rows_.size()) > MaxConstraints)
            tooBig(Text(filemsg::kTooManyRows).arg(MaxConstraints));
        else if (objectiveRows_ > MaxObjectives)
            tooBig(Text(filemsg::kTooManyObjectiveRows).arg(MaxObjectives));
    }

    void columnLine(const QByteArray& line, const Fields& f)
    {
        if (line.contains("'MARKER'")) {
            // Integer variables are not part of a linear problem. Writers put
            // the keyword in the second name field or in the first value field.
            refuse(Text(filemsg::kIntegerMarker));
            return;
        }
        if (f.name1.isEmpty()) {
            refuse(Text(filemsg::kColumnWithoutName));
            return;
        }
        if (columns_.empty() || f.name1 != columns_.back()) {
            if (columnIndex_.contains(f.name1)) {
                refuse(Text(filemsg::kSplitColumn).arg(Name(f.name1)));
                current_ = columnIndex_.value(f.name1);
            } else {
                current_ = int(columns_.size());
                columnIndex_.insert(f.name1, current_);
                columns_.push_back(f.name1);
                columnLines_.push_back(lineNo_);
                bounds_.push_back(ColumnBounds{});
                if (int(columns_.size()) > MaxVariables)
                    tooBig(Text(filemsg::kTooManyColumns).arg(MaxVariables));
            }
        }
        coefficient(f.name2, f.value1, true, entries_);
        coefficient(f.name3, f.value2, false, entries_);
    }

    // One row/value pair of a COLUMNS or RHS line; the first pair is always
    // there, the second only when its row name is not empty.
    template <typename Out>
    void coefficient(const QByteArray& rowName, const QByteArray& valueText, bool required, Out& out)
    {
        if (!required && rowName.isEmpty())
            return;
        const int row = rowIndex_.value(rowName, -1);
        if (rowName.isEmpty() || row < 0)
            refuse(Text(filemsg::kUndefinedRow).arg(Name(rowName)));
        // Once the problem is known not to fit, the rest of the file is only
        // looked through for what cannot be converted.
        if (!result_.fits)
            return;
        const Real value = number(valueText);
        if (row < 0)
            return;
        if constexpr (std::is_same_v<Out, std::vector<Entry>>)
            out.push_back(Entry{row, current_, value});
        else
            out.push_back({row, value});
    }

    void rhsLine(const Fields& f)
    {
        coefficient(f.name2, f.value1, true, rhs_);
        coefficient(f.name3, f.value2, false, rhs_);
    }

    void boundLine(const Fields& f)
    {
        const int column = columnIndex_.value(f.name2, -1);
        if (f.name2.isEmpty() || column < 0)
            refuse(Text(filemsg::kUndefinedColumn).arg(Name(f.name2)));
        const bool withValue = f.type == "LO" || f.type == "UP" || f.type == "FX";
        const bool known = withValue || f.type == "BV" || f.type == "PL";
        if (!known)
            refuse(Text(filemsg::kBoundType).arg(Name(f.type))); // FR, MI and the integer types among others
        if (!result_.fits)
            return;
        // The types without a value may still carry one; when they do, it has
        // to be a number.
        std::optional<Real> value;
        if (withValue || !f.value1.isEmpty())
            value = number(f.value1);
        if (column < 0 || !known)
            return;
        ColumnBounds& b = bounds_[std::size_t(column)];
        if (f.type == "LO") {
            b.lb = *value;
        } else if (f.type == "UP") {
            // In MPS a negative upper bound on a column still bounded below
            // by 0 frees it below; the problem cannot hold that.
            if (*value < 0 && b.lb == 0)
                refuse(Text(filemsg::kNegativeUpperBound));
            b.ub = *value;
        } else if (f.type == "FX") {
            b.lb = *value;
            b.ub = *value;
        } else if (f.type == "BV") {
            b.ub = 1;
        } else { // PL
            b.ub = kInfiniteBound;
        }
    }

    Real number(const QByteArray& text) const
    {
        TokenReader reader(text);
        const std::optional<Real> value = reader.readReal();
        if (!value || !reader.atEnd())
            throw NotANumber{Text(msg::kNotAFloat).arg(Name(text)) + QLatin1Char('\n')
                             + Text(filemsg::kLine).arg(lineNo_)};
        return *value;
    }

    // Names the workspace cuts must stay apart: two variables or two
    // objectives that become one name would be told apart by nothing.
    void checkShortNames()
    {
        const auto check = [this](const std::vector<QByteArray>& names, const std::vector<int>& lines, int length,
                                  const char* kind) {
            QHash<QString, std::size_t> seen;
            for (std::size_t i = 0; i < names.size(); ++i) {
                const QString shortName = Name(names[i]).left(length);
                const auto it = seen.constFind(shortName);
                if (it == seen.cend()) {
                    seen.insert(shortName, i);
                    continue;
                }
                refuseAt(lines[i], Text(filemsg::kSameShortName)
                                       .arg(Text(kind), Name(names[*it]), Name(names[i]))
                                       .arg(length));
                return;
            }
        };
        check(columns_, columnLines_, MaxVarNameLength, filemsg::kColumnKind);
        std::vector<QByteArray> objectives;
        std::vector<int> objectiveLines;
        for (const MpsRow& row : rows_) {
            if (row.kind == RowKind::Objective) {
                objectives.push_back(row.name);
                objectiveLines.push_back(row.line);
            }
        }
        check(objectives, objectiveLines, MaxObjNameLength, filemsg::kObjectiveKind);
    }

    const bool free_;
    MpsReadResult result_;
    int lineNo_ = 0;
    Section section_ = Section::BeforeRows;
    int sense_ = -1;
    bool ended_ = false;
    bool objSensePending_ = false;
    bool objSenseRead_ = false;
    int objSenseHeaderLine_ = 0;
    std::vector<MpsRow> rows_;
    QHash<QByteArray, int> rowIndex_;
    int objectiveRows_ = 0;
    std::vector<QByteArray> columns_;
    std::vector<int> columnLines_;
    QHash<QByteArray, int> columnIndex_;
    std::vector<ColumnBounds> bounds_;
    int current_ = 0;
    std::vector<Entry> entries_;
    std::vector<std::pair<int, Real>> rhs_;
};

} // namespace

MpsFormat DetectMpsFormat(const QByteArray& bytes)
{
    Section section = Section::BeforeRows;
    QByteArray line;
    for (qsizetype at = 0; NextLine(bytes, at, line);) {
        if (IsComment(line))
            continue;
        if (!IsBlankChar(line.at(0))) {
            const QByteArray keyword = Keyword(line);
            if (keyword == "ROWS")
                section = Section::Rows;
            else if (keyword == "COLUMNS")
                section = Section::Columns;
            else if (keyword == "RHS")
                section = Section::Rhs;
            else if (keyword == "BOUNDS")
                section = Section::Bounds;
            else if (keyword == "RANGES")
                section = Section::Other;
            else
                section = Section::BeforeRows; // NAME, OBJSENSE: words only
            continue;
        }
        if (section != Section::BeforeRows && !FitsFixedColumns(line, section))
            return MpsFormat::Free;
    }
    return MpsFormat::Fixed;
}

QStringList MpsRefusalMessages(const MpsReadResult& result)
{
    if (!result.message.isEmpty())
        return {result.message};
    QStringList messages;
    const auto withLine = [](const char* text, const QString& at) {
        return at.isEmpty() ? QString::fromUtf8(text) : QString::fromUtf8(text) + QLatin1Char('\n') + at;
    };
    if (!result.fits)
        messages << withLine(msg::kTooBig, result.tooBigAt);
    if (!result.converted)
        messages << withLine(msg::kConversionError, result.notConvertedAt);
    return messages;
}

MpsReadResult ParseMpsText(const QByteArray& bytes, ProblemData& problem, MpsFormat format)
{
    MpsParser parser(format == MpsFormat::Automatic ? DetectMpsFormat(bytes) : format);
    try {
        parser.parse(bytes);
    } catch (const NotANumber& error) {
        MpsReadResult result = parser.result();
        result.converted = false;
        result.message = error.message;
        return result;
    }
    const MpsReadResult& result = parser.result();
    if (!result.accepted())
        return result;
    // The copy is large (two coefficient matrices), so it lives on the heap.
    auto copy = std::make_unique<ProblemData>(problem);
    parser.fill(*copy);
    problem = std::move(*copy);
    return result;
}

MpsReadResult ReadMpsFile(const QString& path, ProblemData& problem, MpsFormat format)
{
    QByteArray bytes;
    const FileReadResult read = ReadWholeFile(path, kMaxMpsFileBytes, bytes);
    if (read.status != FileReadStatus::Ok) {
        MpsReadResult failed;
        failed.converted = false;
        failed.message = ProblemFileReadError(path, read, kMaxMpsFileBytes);
        return failed;
    }
    return ParseMpsText(bytes, problem, format);
}
