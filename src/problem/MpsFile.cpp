#include "problem/MpsFile.h"

#include "problem/ProblemFile.h"
#include "problem/ProblemRows.h"
#include "base/Messages.h"
#include "base/TextFileFormat.h"

#include <QHash>

#include <memory>
#include <optional>
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

enum class RowKind { LessEqual, Equal, GreaterEqual, Objective };

// Sections in the order a file must give them.
enum class Section { BeforeRows, Rows, Columns, Rhs, Bounds };

struct MpsRow {
    QByteArray name;
    RowKind kind;
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

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

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
    while (end > 0 && IsBlank(name.at(end - 1)))
        --end;
    name.truncate(end);
    return name;
}

bool IsBlankLine(const QByteArray& line)
{
    for (char c : line)
        if (!IsBlank(c))
            return false;
    return true;
}

// The next line of `bytes` from `at` without its line end (LF, CR LF or a
// lone CR), moving `at` past it; false at the end. One line at a time, so
// that a file of many short lines costs no more than its bytes.
bool NextLine(const QByteArray& bytes, qsizetype& at, QByteArray& line)
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

// Thrown inside the parser only: a value field that is not a number.
struct NotANumber {
    QString message;
};

class MpsParser {
public:
    void parse(const QByteArray& bytes)
    {
        QByteArray line;
        for (qsizetype at = 0; NextLine(bytes, at, line);) {
            if (line.isEmpty() || IsBlankLine(line) || line.startsWith('*'))
                continue;
            if (!IsBlank(line.at(0))) {
                if (!header(line))
                    break;
                continue;
            }
            switch (section_) {
            case Section::BeforeRows: break;
            case Section::Rows: rowLine(line); break;
            case Section::Columns: columnLine(line); break;
            case Section::Rhs: rhsLine(line); break;
            case Section::Bounds: boundLine(line); break;
            }
        }
        if (objectiveRows_ == 0 || columns_.empty())
            result_.converted = false;
    }

    const MpsReadResult& result() const { return result_; }

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
            out.vars[j].name = FromCp1252(columns_[c]);
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
            out.objSense[k] = -1;
            out.objName[k] = FromCp1252(row.name).left(MaxObjNameLength);
            DeleteConstraintRow(out, i);
        }
        out.numObjectives = k;
    }

private:
    // Returns false when nothing more is to be read.
    bool header(const QByteArray& line)
    {
        int end = 0;
        while (end < line.size() && !IsBlank(line.at(end)))
            ++end;
        const QByteArray keyword = line.left(end);
        if (section_ == Section::BeforeRows) {
            // The NAME line, and anything else before the rows, says nothing
            // the problem needs.
            if (keyword == "ROWS")
                section_ = Section::Rows;
            return true;
        }
        if (keyword == "ENDATA")
            return false;
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
        result_.converted = false;
        return false;
    }

    void rowLine(const QByteArray& line)
    {
        const QByteArray type = Field(line, kTypeField).trimmed();
        const QByteArray name = NameField(line, kName1Field);
        RowKind kind = RowKind::LessEqual;
        if (type == "E")
            kind = RowKind::Equal;
        else if (type == "G")
            kind = RowKind::GreaterEqual;
        else if (type == "N")
            kind = RowKind::Objective;
        else if (type != "L")
            result_.converted = false; // a row the problem could only guess at
        if (name.isEmpty() || rowIndex_.contains(name))
            result_.converted = false;
        else
            rowIndex_.insert(name, int(rows_.size()));
        rows_.push_back(MpsRow{name, kind});
        if (kind == RowKind::Objective)
            ++objectiveRows_;
        if (int(rows_.size()) > MaxConstraints || objectiveRows_ > MaxObjectives)
            result_.fits = false;
    }

    void columnLine(const QByteArray& line)
    {
        const QByteArray name = NameField(line, kName1Field);
        if (line.contains("'MARKER'")) {
            // Integer variables are not part of a linear problem. Writers put
            // the keyword in the second name field or in the first value field.
            result_.converted = false;
            return;
        }
        if (name.isEmpty()) {
            result_.converted = false;
            return;
        }
        if (columns_.empty() || name != columns_.back()) {
            if (columnIndex_.contains(name)) {
                // The column's lines are not consecutive.
                result_.converted = false;
                current_ = columnIndex_.value(name);
            } else {
                current_ = int(columns_.size());
                columnIndex_.insert(name, current_);
                columns_.push_back(name);
                bounds_.push_back(ColumnBounds{});
                if (int(columns_.size()) > MaxVariables)
                    result_.fits = false;
            }
        }
        coefficient(line, kName2Field, kValue1Field, true);
        coefficient(line, kName3Field, kValue2Field, false);
    }

    // One row/value pair of a COLUMNS line; the first pair is always there,
    // the second only when its row name is not empty.
    void coefficient(const QByteArray& line, FieldPos namePos, FieldPos valuePos, bool required)
    {
        const QByteArray rowName = NameField(line, namePos);
        if (!required && rowName.isEmpty())
            return;
        const int row = rowIndex_.value(rowName, -1);
        if (rowName.isEmpty() || row < 0)
            result_.converted = false;
        // Once the problem is known not to fit, the rest of the file is only
        // looked through for what cannot be converted.
        if (!result_.fits)
            return;
        const Real value = number(line, valuePos);
        if (row >= 0)
            entries_.push_back(Entry{row, current_, value});
    }

    void rhsLine(const QByteArray& line)
    {
        rhsValue(line, kName2Field, kValue1Field, true);
        rhsValue(line, kName3Field, kValue2Field, false);
    }

    void rhsValue(const QByteArray& line, FieldPos namePos, FieldPos valuePos, bool required)
    {
        const QByteArray rowName = NameField(line, namePos);
        if (!required && rowName.isEmpty())
            return;
        const int row = rowIndex_.value(rowName, -1);
        if (rowName.isEmpty() || row < 0)
            result_.converted = false;
        if (!result_.fits)
            return;
        const Real value = number(line, valuePos);
        if (row >= 0)
            rhs_.push_back({row, value});
    }

    void boundLine(const QByteArray& line)
    {
        const QByteArray type = Field(line, kTypeField).trimmed();
        const QByteArray columnName = NameField(line, kName2Field);
        const int column = columnIndex_.value(columnName, -1);
        if (columnName.isEmpty() || column < 0)
            result_.converted = false;
        const bool withValue = type == "LO" || type == "UP" || type == "FX";
        const bool known = withValue || type == "BV" || type == "PL";
        if (!known)
            result_.converted = false; // FR, MI and the integer bound types among others
        if (!result_.fits)
            return;
        // The types without a value may still carry one; when they do, it has
        // to be a number.
        std::optional<Real> value;
        if (withValue || !Field(line, kValue1Field).trimmed().isEmpty())
            value = number(line, kValue1Field);
        if (column < 0 || !known)
            return;
        ColumnBounds& b = bounds_[std::size_t(column)];
        if (type == "LO") {
            b.lb = *value;
        } else if (type == "UP") {
            // In MPS a negative upper bound on a column still bounded below
            // by 0 frees it below; the problem cannot hold that.
            if (*value < 0 && b.lb == 0)
                result_.converted = false;
            b.ub = *value;
        } else if (type == "FX") {
            b.lb = *value;
            b.ub = *value;
        } else if (type == "BV") {
            b.ub = 1;
        } else { // PL
            b.ub = kInfiniteBound;
        }
    }

    Real number(const QByteArray& line, FieldPos pos) const
    {
        const QByteArray text = Field(line, pos).trimmed();
        TokenReader reader(text);
        const std::optional<Real> value = reader.readReal();
        if (!value || !reader.atEnd())
            throw NotANumber{QString::fromUtf8(msg::kNotAFloat).arg(FromCp1252(text))};
        return *value;
    }

    MpsReadResult result_;
    Section section_ = Section::BeforeRows;
    std::vector<MpsRow> rows_;
    QHash<QByteArray, int> rowIndex_;
    int objectiveRows_ = 0;
    std::vector<QByteArray> columns_;
    QHash<QByteArray, int> columnIndex_;
    std::vector<ColumnBounds> bounds_;
    int current_ = 0;
    std::vector<Entry> entries_;
    std::vector<std::pair<int, Real>> rhs_;
};

} // namespace

MpsReadResult ParseMpsText(const QByteArray& bytes, ProblemData& problem)
{
    MpsParser parser;
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

MpsReadResult ReadMpsFile(const QString& path, ProblemData& problem)
{
    QByteArray bytes;
    const FileReadResult read = ReadWholeFile(path, kMaxMpsFileBytes, bytes);
    if (read.status != FileReadStatus::Ok) {
        MpsReadResult failed;
        failed.converted = false;
        failed.message = ProblemFileReadError(path, read, kMaxMpsFileBytes);
        return failed;
    }
    return ParseMpsText(bytes, problem);
}
