#include "solutions/ResultsFile.h"

#include "solutions/Messages.h"
#include "base/Messages.h"
#include "solutions/Report.h"
#include "solutions/Tolerances.h"
#include "base/TextFileFormat.h"
#include "workspace/Workspace.h"

#include <QFileInfo>

#include <algorithm>
#include <cassert>
#include <limits>
#include <map>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

const QByteArray kCrLf = QByteArrayLiteral("\r\n");
const QByteArray kIdealHeading = QByteArrayLiteral("//Ideal Solution");
const QByteArray kNadirHeading = QByteArrayLiteral("//(Aprox)Nadir Solution");
const QByteArray kNormHeading = QByteArrayLiteral("//Normalization factors for the objective functions");
const QByteArray kSolutionCountNote = QByteArrayLiteral(" //Number of solutions");
const QByteArray kRegionCountNote = QByteArrayLiteral(" //Number of indiference regions (IR) on the weight space");
const QByteArray kSolutionsHeading =
    QByteArrayLiteral("//Solutions (f,x,Nbases,vb [outras vbs],color,IRindex, [IR vertices]");
const QByteArray kPayoffHeading = QByteArrayLiteral("//Indices in the SolutionBasket of the Payoff Solutions");
const QByteArray kEdgeCountNote = QByteArrayLiteral(" //Number of edges identified");
const QByteArray kCommentStart = QByteArrayLiteral("//");

constexpr std::int64_t kLargestColour = 0xFFFFFF;
constexpr std::int64_t kLargestCount = std::numeric_limits<std::int32_t>::max();
// The fewest bytes a value takes in a file: one character and the blank or
// line end after it. A count of items is believed only when what is left of
// the file can hold that many at this size, so that nothing is allocated
// for items the file cannot have.
constexpr std::int64_t kLeastValueBytes = 2;

// The sizes of the open problem, kept inside the arrays whatever the counts.
struct ProblemSizes {
    int p = 0;
    int n = 0;
    int m = 0;

    explicit ProblemSizes(const ProblemData& problem)
        : p(std::clamp(problem.numObjectives, 0, MaxObjectives)),
          n(std::clamp(problem.numVariables, 0, MaxVariables)),
          m(std::clamp(problem.numConstraints, 0, MaxXS - n))
    {
    }

    // The widest scalarizing program of the problem is the reference-point
    // program with every limitation row: n + 2 columns and p + m + p rows,
    // each row with its slack. No stored basis can name a variable beyond it.
    int largestVariable() const { return n + 2 + m + 2 * p; }
    // A basis lists one basic variable per row of its program.
    int longestBasis() const { return std::min(m + 2 * p, MaxBasic); }
};

// ---------------------------------------------------------------------------
// Writing

QByteArray RealBytes(Real value) { return FormatFileReal(value).toLatin1(); }

template <typename Values>
void AppendRealsLine(QByteArray& out, const Values& values, int count)
{
    for (int i = 1; i <= count; ++i) {
        out += RealBytes(values[static_cast<std::size_t>(i)]);
        out += ' ';
    }
    out += kCrLf;
}

void AppendLine(QByteArray& out, const QByteArray& line)
{
    out += line;
    out += kCrLf;
}

void AppendNumberLine(QByteArray& out, std::int64_t value, const QByteArray& note = QByteArray())
{
    out += QByteArray::number(static_cast<qlonglong>(value));
    out += note;
    out += kCrLf;
}

void AppendBasis(QByteArray& out, const StoredBasis& basis)
{
    for (int i = 1; i <= MaxBasic && basis[static_cast<std::size_t>(i)] != 0; ++i) {
        out += QByteArray::number(basis[static_cast<std::size_t>(i)]);
        out += ' ';
    }
    out += '0';
    out += kCrLf;
}

void AppendRegion(QByteArray& out, const UmaOuMaisRegioes& region)
{
    const int count = std::clamp(region.Regiao.Numvertices, 0, MaxVertices);
    out += "   ";
    out += QByteArray::number(count);
    for (int v = 1; v <= count; ++v) {
        const XY& vertex = region.Regiao.vertices[static_cast<std::size_t>(v)];
        const QByteArray x = RealBytes(vertex.x);
        // The sign position of a non-negative x keeps it apart from the
        // vertex count; a "-" would glue the two into one token.
        if (v == 1 && x.startsWith('-'))
            out += ' ';
        out += x;
        out += ' ';
        out += RealBytes(vertex.y);
        out += "  ";
    }
    out += "    ";
    out += QByteArray::number(region.IndiceProx);
    out += kCrLf;
}

void AppendSolution(QByteArray& out, const Workspace& ws, const ProblemSizes& sizes, int regionCount,
                    const SolSolutionBasket& sol)
{
    AppendRealsLine(out, sol.f, sizes.p);
    AppendRealsLine(out, sol.x_s, sizes.n + sizes.m);
    if (sol.vbs.empty()) {
        // Every entry has a basis list; one stored without a basis has an
        // empty one, which is what a missing list stands for.
        AppendNumberLine(out, 1);
        AppendLine(out, QByteArrayLiteral("0"));
    } else {
        AppendNumberLine(out, static_cast<std::int64_t>(sol.vbs.size()));
        for (const StoredBasis& basis : sol.vbs)
            AppendBasis(out, basis);
    }
    AppendNumberLine(out, sol.cor);
    AppendNumberLine(out, sol.indRegIndif);
    // The chain is followed at most regionCount steps, so that a damaged one
    // cannot loop.
    int r = sol.indRegIndif;
    for (int steps = 0; r >= 1 && r <= regionCount && steps < regionCount; ++steps) {
        const UmaOuMaisRegioes& region = ws.regions[static_cast<std::size_t>(r)];
        AppendRegion(out, region);
        r = region.IndiceProx;
    }
}

// ---------------------------------------------------------------------------
// Reading

// Everything a results file holds, read before the workspace is touched.
struct ResultsData {
    vectorObj ideal{};
    vectorObj nadir{};
    vectorObj norm{};
    std::vector<SolSolutionBasket> basket; // element 0 is the placeholder
    std::vector<UmaOuMaisRegioes> regions; // element 0 is the placeholder
    std::vector<UmaAresta> edges;          // element 0 is the placeholder
    std::array<std::int32_t, MaxObjectives + 1> payoffIndex{};
};

// Thrown inside the parser only; ParseResultsText turns it into a result.
struct Refusal {
    int line;
    QString reason;
};

class ResultsParser {
public:
    ResultsParser(const QByteArray& bytes, const ProblemSizes& sizes)
        : reader_(bytes), sizes_(sizes), endsWithLineEnd_(bytes.endsWith('\n') || bytes.endsWith('\r'))
    {
    }

    void parse(ResultsData& out)
    {
        referencePoints(out);
        counts();
        heading();
        out.basket.reserve(static_cast<std::size_t>(solutionCount_) + 1);
        out.basket.assign(1, SolSolutionBasket{});
        for (int i = 1; i <= solutionCount_; ++i) {
            out.basket.emplace_back();
            solution(i, out.basket.back());
        }
        // Every polygon belongs to one solution: one on no chain means the
        // count and the blocks disagree.
        if (static_cast<int>(regionsRead_.size()) != regionCount_)
            throw Refusal{regionCountLine_,
                          text(msg::kResultsUnusedRegions).arg(regionsRead_.size()).arg(regionCount_)};
        out.regions.reserve(regionsRead_.size() + 1);
        out.regions.assign(1, UmaOuMaisRegioes{});
        for (auto& entry : regionsRead_)
            out.regions.push_back(std::move(entry.second));
        payoffIndices(out);
        edges(out);
    }

private:
    QString objectivesReason() const { return text(msg::kResultsMoreObjectives).arg(sizes_.p); }
    QString variablesReason() const { return text(msg::kResultsMoreVariables).arg(sizes_.n + sizes_.m); }

    [[noreturn]] void refuse(const QString& reason) const { throw Refusal{reader_.lineNumber(), reason}; }

    // Refuses `count` items of `valuesEach` values each when the rest of
    // the file is too short for them.
    void fitsInFile(std::int64_t count, std::int64_t valuesEach, const char* what) const
    {
        const std::int64_t left = reader_.remainingBytes();
        if (count > 0 && count > left / (valuesEach * kLeastValueBytes))
            refuse(text(msg::kResultsCountBeyondFile).arg(count).arg(QLatin1String(what)).arg(left));
    }

    // A read that found no number: the end of the file, or the token.
    [[noreturn]] void failed() const
    {
        if (!reader_.lastFailureWasEnd())
            refuse(text(msg::kResultsNotANumber).arg(FromCp1252(reader_.lastToken())));
        endOfFile();
    }

    [[noreturn]] void endOfFile() const
    {
        // A final line end does not open another line: report the last one.
        int line = reader_.lineNumber();
        if (endsWithLineEnd_ && line > 1)
            --line;
        throw Refusal{line, text(msg::kResultsEnds)};
    }

    std::int64_t integer()
    {
        const auto value = reader_.readInteger();
        if (!value)
            failed();
        return *value;
    }

    Real real()
    {
        const auto value = reader_.readReal();
        if (!value)
            failed();
        return *value;
    }

    std::int32_t basketIndex()
    {
        const std::int64_t index = integer();
        if (index < 1 || index > solutionCount_)
            refuse(text(msg::kResultsBadEdge).arg(index).arg(solutionCount_));
        return static_cast<std::int32_t>(index);
    }

    // The rest of the line without its leading blanks and TABs.
    QByteArray restAfterBlanks() const
    {
        QByteArray rest = reader_.restOfLine();
        int at = 0;
        while (at < rest.size() && static_cast<unsigned char>(rest.at(at)) <= 32)
            ++at;
        return rest.mid(at);
    }

    // A heading line; its text is free, but it is a comment. Anything else
    // here means the values before it were too few or the file is damaged.
    void heading()
    {
        if (reader_.atEnd())
            endOfFile();
        if (!restAfterBlanks().startsWith(kCommentStart))
            refuse(text(msg::kResultsHeadingExpected));
        reader_.skipLine();
    }

    [[noreturn]] void refuseExtra(const QByteArray& word) const
    {
        refuse(text(msg::kResultsExtraValues).arg(FromCp1252(word)));
    }

    // The values of a line end it. A further number on a line of reals means
    // the file was written for a larger problem (`tooMany` says so); any
    // other word is refused as it is.
    void endOfValues(const QString& tooMany = QString())
    {
        const QByteArray word = firstWord(restAfterBlanks());
        if (!word.isEmpty()) {
            if (!tooMany.isEmpty() && isNumber(word))
                refuse(tooMany);
            refuseExtra(word);
        }
        reader_.skipLine();
    }

    // A count may be followed by its note ("//Number of ...").
    void endOfCountLine()
    {
        const QByteArray rest = restAfterBlanks();
        if (!rest.isEmpty() && !rest.startsWith(kCommentStart))
            refuseExtra(firstWord(rest));
        reader_.skipLine();
    }

    // The last line of the results. It must end with a line end, or a number
    // cut short would read as another one; after it only blanks may follow.
    void lastLine(bool withNote)
    {
        const QByteArray rest = restAfterBlanks();
        if (!rest.isEmpty() && !(withNote && rest.startsWith(kCommentStart)))
            refuseExtra(firstWord(rest));
        if (reader_.atEnd())
            refuse(text(msg::kResultsCutShort));
        reader_.skipLine();
        while (!reader_.atEnd()) {
            if (!restAfterBlanks().isEmpty())
                refuse(text(msg::kResultsTrailingText));
            reader_.skipLine();
        }
    }

    static QByteArray firstWord(const QByteArray& rest)
    {
        int end = 0;
        while (end < rest.size() && static_cast<unsigned char>(rest.at(end)) > 32)
            ++end;
        return rest.left(end);
    }

    static bool isNumber(const QByteArray& word)
    {
        TokenReader wordReader(word);
        return wordReader.readReal().has_value() && wordReader.atEnd();
    }

    template <typename Values>
    void realsLine(Values& values, int count, const QString& tooMany)
    {
        for (int i = 1; i <= count; ++i)
            values[static_cast<std::size_t>(i)] = real();
        endOfValues(tooMany);
    }

    void referencePoints(ResultsData& out)
    {
        heading();
        realsLine(out.ideal, sizes_.p, objectivesReason());
        heading();
        realsLine(out.nadir, sizes_.p, objectivesReason());
        heading();
        realsLine(out.norm, sizes_.p, objectivesReason());
    }

    void counts()
    {
        const std::int64_t solutions = integer();
        if (solutions < 1)
            refuse(text(msg::kResultsNoSolutions).arg(solutions));
        if (solutions > kLargestCount)
            refuse(text(msg::kResultsBadSolutionCount).arg(solutions));
        // A solution is at least its values, a basis count, one basis, its
        // colour and its first region; a region a vertex count and the next.
        fitsInFile(solutions, sizes_.p + sizes_.n + sizes_.m + 4, "solutions");
        endOfCountLine();
        const std::int64_t regions = integer();
        regionCountLine_ = reader_.lineNumber();
        if (regions < 0 || regions > kLargestCount)
            refuse(text(msg::kResultsBadRegionCount).arg(regions));
        // Regions are cut only on the weight triangle or segment, one polygon
        // per stored basis.
        if (regions > 0 && sizes_.p != 2 && sizes_.p != 3)
            refuse(text(msg::kResultsRegionsNeedTwoOrThree).arg(regions));
        const std::int64_t mostRegions = solutions * kMaxBasesPerSolution;
        if (regions > mostRegions)
            refuse(text(msg::kResultsTooManyRegions).arg(regions).arg(solutions).arg(mostRegions));
        fitsInFile(regions, 2, "indifference regions");
        endOfCountLine();
        solutionCount_ = static_cast<int>(solutions);
        regionCount_ = static_cast<int>(regions);
    }

    void payoffIndices(ResultsData& out)
    {
        heading();
        for (int k = 1; k <= sizes_.p; ++k) {
            const std::int64_t index = integer();
            if (index < 1 || index > solutionCount_)
                refuse(text(msg::kResultsBadPayoffIndex).arg(index).arg(solutionCount_));
            out.payoffIndex[static_cast<std::size_t>(k)] = static_cast<std::int32_t>(index);
            endOfValues();
        }
    }

    void edges(ResultsData& out)
    {
        const std::int64_t count = integer();
        if (count < 0 || count > kLargestCount)
            refuse(text(msg::kResultsBadEdgeCount).arg(count));
        // An edge joins two polygons of different solutions, each pair once.
        const std::int64_t mostEdges = std::int64_t(regionCount_) * (regionCount_ - 1) / 2;
        if (count > mostEdges)
            refuse(text(msg::kResultsTooManyEdges).arg(count).arg(regionCount_).arg(mostEdges));
        fitsInFile(count, 2, "edges");
        if (count == 0)
            lastLine(true);
        else
            endOfCountLine();
        out.edges.reserve(static_cast<std::size_t>(count) + 1);
        out.edges.assign(1, UmaAresta{});
        for (std::int64_t e = 1; e <= count; ++e) {
            UmaAresta edge;
            edge.Sol1 = basketIndex();
            edge.Sol2 = basketIndex();
            out.edges.push_back(edge);
            if (e == count)
                lastLine(false);
            else
                endOfValues();
        }
    }

    void solution(int index, SolSolutionBasket& sol)
    {
        sol.f.reserveTo(static_cast<std::size_t>(sizes_.p));
        realsLine(sol.f, sizes_.p, objectivesReason());
        sol.x_s.reserveTo(static_cast<std::size_t>(sizes_.n + sizes_.m));
        realsLine(sol.x_s, sizes_.n + sizes_.m, variablesReason());

        const std::int64_t bases = integer();
        if (bases < 1)
            refuse(text(msg::kResultsNoBases).arg(bases));
        if (bases > kMaxBasesPerSolution)
            refuse(text(msg::kResultsTooManyBases).arg(bases).arg(kMaxBasesPerSolution));
        fitsInFile(bases, 1, "bases");
        endOfValues();
        const int firstBasisLine = reader_.lineNumber();
        sol.vbs.reserve(static_cast<std::size_t>(bases));
        for (std::int64_t b = 0; b < bases; ++b) {
            sol.vbs.emplace_back();
            basis(sol.vbs.back());
        }
        distinctBases(index, sol.vbs, firstBasisLine);

        const std::int64_t colour = integer();
        if (colour < 0 || colour > kLargestColour)
            refuse(text(msg::kResultsBadColour).arg(colour));
        sol.cor = static_cast<Color>(colour);
        endOfValues();

        sol.indRegIndif = regionIndex(index);
        endOfValues();
        for (int r = sol.indRegIndif; r != 0;)
            r = region(index, r);
    }

    // Column indices up to a 0, which ends the list, all on the line where
    // the basis starts: a basis running on would take the next line's
    // numbers for its own.
    void basis(StoredBasis& list)
    {
        const int line = reader_.lineNumber();
        const int largest = sizes_.largestVariable();
        const int longest = sizes_.longestBasis();
        std::vector<bool>& listed = listedColumns_;
        listed.assign(static_cast<std::size_t>(largest) + 1, false);
        for (int used = 0;;) {
            const std::int64_t column = integer();
            if (reader_.lineNumber() != line)
                throw Refusal{line, text(msg::kResultsBasisOnOneLine)};
            if (column == 0)
                break;
            if (column < 1 || column > largest)
                refuse(text(msg::kResultsBadColumn).arg(column).arg(largest));
            if (listed[static_cast<std::size_t>(column)])
                refuse(text(msg::kResultsRepeatedColumn).arg(column));
            if (used == longest)
                refuse(text(msg::kResultsBasisTooLong).arg(longest));
            listed[static_cast<std::size_t>(column)] = true;
            list[static_cast<std::size_t>(++used)] = static_cast<std::int32_t>(column);
        }
        endOfValues();
    }

    // The store adds a basis to a solution only when it is new, so no
    // solution holds one twice (nor two empty ones). Basis b stands on line
    // firstLine + b.
    void distinctBases(int owner, const std::vector<StoredBasis>& bases, int firstLine) const
    {
        std::vector<int> order(bases.size());
        for (std::size_t b = 0; b < order.size(); ++b)
            order[b] = static_cast<int>(b);
        const auto byColumns = [&bases](int a, int b) {
            return bases[static_cast<std::size_t>(a)] < bases[static_cast<std::size_t>(b)];
        };
        // Stable, so that equal bases keep their order: the refusal names the
        // first line that repeats an earlier one.
        std::stable_sort(order.begin(), order.end(), byColumns);
        int repeat = -1;
        for (std::size_t i = 1; i < order.size(); ++i) {
            const int b = order[i];
            if (bases[static_cast<std::size_t>(order[i - 1])] == bases[static_cast<std::size_t>(b)]
                && (repeat < 0 || b < repeat))
                repeat = b;
        }
        if (repeat >= 0)
            throw Refusal{firstLine + repeat, text(msg::kResultsRepeatedBasis).arg(owner)};
    }

    // A region index read for solution `owner`: 0, or a polygon of the file
    // that no chain has taken yet.
    std::int32_t regionIndex(int owner)
    {
        const std::int64_t r = integer();
        if (r == 0)
            return 0;
        if (r < 0 || r > regionCount_)
            refuse(text(msg::kResultsBadRegion).arg(r).arg(regionCount_));
        const auto taken = regionOwner_.find(static_cast<std::int32_t>(r));
        if (taken != regionOwner_.end()) {
            if (taken->second == owner)
                refuse(text(msg::kResultsChainLoops).arg(owner).arg(r));
            refuse(text(msg::kResultsRegionShared).arg(r).arg(taken->second));
        }
        regionOwner_.emplace(static_cast<std::int32_t>(r), owner);
        return static_cast<std::int32_t>(r);
    }

    // Polygon r of solution `owner`; returns the next one of the chain.
    int region(int owner, int r)
    {
        UmaOuMaisRegioes& polygon = regionsRead_[r];
        std::optional<Real> firstX;
        const std::int64_t count = vertexCount(firstX);
        if (count < 0 || count > MaxVertices)
            refuse(text(msg::kResultsBadVertexCount).arg(count).arg(MaxVertices));
        fitsInFile(count, 2, "vertices");
        polygon.Regiao.Numvertices = static_cast<std::int32_t>(count);
        for (int v = 1; v <= count; ++v) {
            XY& vertex = polygon.Regiao.vertices[static_cast<std::size_t>(v)];
            if (v == 1 && firstX)
                vertex.x = *firstX;
            else
                vertex.x = weight(real());
            vertex.y = weight(real());
        }
        polygon.AreaPolig = 0;
        polygon.IndiceProx = regionIndex(owner);
        endOfValues();
        return polygon.IndiceProx;
    }

    // A vertex coordinate: a weight, which the pictures scale to pixels.
    Real weight(Real value) const
    {
        if (!(value >= -kWeightRangeTol && value <= 1 + kWeightRangeTol))
            refuse(text(msg::kResultsVertexNotAWeight).arg(FromCp1252(reader_.lastToken())));
        return value;
    }

    // The vertex count of a region line. A negative first x written right
    // after the count ("3-2.5E-0001") makes one token of the two; it is
    // taken apart here, and the x returned in `firstX`.
    std::int64_t vertexCount(std::optional<Real>& firstX)
    {
        if (const auto value = reader_.readInteger())
            return *value;
        if (reader_.lastFailureWasEnd())
            endOfFile();
        const QByteArray token = reader_.lastToken();
        const int dash = static_cast<int>(token.indexOf('-'));
        bool digitsOnly = dash > 0;
        for (int i = 0; i < dash; ++i)
            digitsOnly = digitsOnly && token.at(i) >= '0' && token.at(i) <= '9';
        if (digitsOnly && dash <= 2) {
            const int count = token.left(dash).toInt();
            TokenReader xReader(token.mid(dash));
            const auto x = xReader.readReal();
            if (count >= 1 && x && xReader.atEnd()) {
                firstX = weight(*x);
                return count;
            }
        }
        failed();
    }

    TokenReader reader_;
    ProblemSizes sizes_;
    bool endsWithLineEnd_;
    int solutionCount_ = 0;
    int regionCount_ = 0;
    int regionCountLine_ = 0;
    // Polygons by index as the chains reach them, and the solution of each.
    std::map<std::int32_t, UmaOuMaisRegioes> regionsRead_;
    std::map<std::int32_t, int> regionOwner_;
    // Scratch of basis(): the columns of the basis being read.
    std::vector<bool> listedColumns_;
};

// Replaces what the file holds; `data` was checked against the problem.
void CommitResults(Workspace& ws, ResultsData& data, const ProblemSizes& sizes)
{
    const int p = sizes.p;
    const int S = static_cast<int>(data.basket.size()) - 1;
    for (int k = 1; k <= p; ++k) {
        ws.idealPoint[k] = data.ideal[k];
        ws.nadirPoint[k] = data.nadir[k];
        ws.normFactor[k] = data.norm[k];
    }
    ws.replace(std::move(data.basket), std::move(data.regions), std::move(data.edges));
    // Lists that named entries of the old basket.
    ws.alternatives.clear();
    ws.alternativeCount = 0;
    for (int k = 1; k <= MaxObjectives; ++k)
        ws.nadirSource[k] = 0;

    for (int k = 1; k <= p; ++k) {
        PayoffRow& row = ws.payoff[k];
        row.basketIndex = data.payoffIndex[static_cast<std::size_t>(k)];
        for (int l = 1; l <= p; ++l)
            row.f[l] = ws.basket[static_cast<std::size_t>(row.basketIndex)].f[l];
        ws.refPoint[k] = ws.idealPoint[k];
    }
    ws.payoffComputed = true;

    // The last solution stands for the work done: the newest (and only)
    // history record, and the current solution.
    const SolSolutionBasket& last = ws.basket[static_cast<std::size_t>(S)];
    ClearHistory(ws);
    AddHistoryRecord(ws, last.vbs.front(), last.f, last.x_s);
    // The file's nadir stands as written: the record does not widen it.
    for (int k = 1; k <= p; ++k)
        ws.nadirPoint[k] = data.nadir[k];
    ComputedSolution& record = ws.history.front();
    record.basis.fill(0);
    record.cor = last.cor;
    record.basketIndex = S;
    for (int k = 1; k <= p; ++k)
        ws.currentF[k] = last.f[k];
    ws.currentXS.fill(0);
    for (int j = 1; j <= sizes.n + sizes.m; ++j)
        ws.currentXS[j] = last.x_s[j];
    ws.currentBasis = last.vbs.front();
}

} // namespace

namespace {

// The file text in pieces of about one solution each, handed to `sink` in
// order; the pieces joined are the file.
template <typename Sink>
void WriteResultsText(const Workspace& ws, Sink&& sink)
{
    const ProblemSizes sizes(ws);
    assert(ws.isConsistent());
    const int S = ws.basketCount;
    const int R = ws.regionCount;
    const int E = ws.edgeCount;

    QByteArray out;
    AppendLine(out, kIdealHeading);
    AppendRealsLine(out, ws.idealPoint, sizes.p);
    AppendLine(out, kNadirHeading);
    AppendRealsLine(out, ws.nadirPoint, sizes.p);
    AppendLine(out, kNormHeading);
    AppendRealsLine(out, ws.normFactor, sizes.p);
    AppendNumberLine(out, S, kSolutionCountNote);
    AppendNumberLine(out, R, kRegionCountNote);
    AppendLine(out, kSolutionsHeading);
    for (int i = 1; i <= S; ++i) {
        AppendSolution(out, ws, sizes, R, ws.basket[static_cast<std::size_t>(i)]);
        sink(out);
        out.resize(0); // keeps the buffer for the next piece
    }
    AppendLine(out, kPayoffHeading);
    for (int k = 1; k <= sizes.p; ++k)
        AppendNumberLine(out, ws.payoff[k].basketIndex);
    AppendNumberLine(out, E, kEdgeCountNote);
    for (int e = 1; e <= E; ++e) {
        const UmaAresta& edge = ws.edges[static_cast<std::size_t>(e)];
        out += QByteArray::number(edge.Sol1);
        out += "  ";
        out += QByteArray::number(edge.Sol2);
        out += kCrLf;
    }
    sink(out);
}

} // namespace

QByteArray ResultsFileText(const Workspace& ws)
{
    const ProblemSizes sizes(ws);
    QByteArray text;
    text.reserve(512 + ws.basketCount * (sizes.p + sizes.n + sizes.m + 8) * 24
                 + ws.regionCount * (MaxVertices * 48 + 16) + ws.edgeCount * 16);
    WriteResultsText(ws, [&text](const QByteArray& piece) { text += piece; });
    return text;
}

std::uint64_t ResultsFileHash(const Workspace& ws)
{
    // FNV-1a, which does not depend on how the text is cut into pieces.
    std::uint64_t hash = 14695981039346656037ull;
    WriteResultsText(ws, [&hash](const QByteArray& piece) {
        for (const char c : piece) {
            hash ^= static_cast<unsigned char>(c);
            hash *= 1099511628211ull;
        }
    });
    return hash;
}

ResultsFileResult ParseResultsText(const QByteArray& bytes, Workspace& ws)
{
    const ProblemSizes sizes(ws);
    try {
        ResultsData data;
        ResultsParser(bytes, sizes).parse(data);
        CommitResults(ws, data, sizes);
    } catch (const Refusal& refusal) {
        return ResultsFileResult{false, true, text(msg::kResultsLineError).arg(refusal.line).arg(refusal.reason)};
    } catch (const std::bad_alloc&) {
        // Only the parse allocates much; the workspace has not been touched.
        return ResultsFileResult{false, true, text(msg::kResultsNoMemory)};
    }
    return ResultsFileResult{};
}

ResultsFileResult ExportResults(const Workspace& ws, const QString& path)
{
    QString error;
    if (!WriteWholeFile(path, ResultsFileText(ws), error))
        return ResultsFileResult{false, true, text(msg::kResultsCannotWrite).arg(path, error)};
    return ResultsFileResult{};
}

ResultsFileResult ImportResults(Workspace& ws, const QString& path)
{
    QByteArray bytes;
    const FileReadResult read = ReadWholeFile(path, kMaxResultsFileBytes, bytes);
    if (read.status != FileReadStatus::Ok) {
        // Only a file that is not there at all passes without a word.
        const bool opened = read.status != FileReadStatus::CannotOpen;
        return ResultsFileResult{false, opened, text(msg::kResultsCannotOpen).arg(path, read.reason)};
    }
    return ParseResultsText(bytes, ws);
}
