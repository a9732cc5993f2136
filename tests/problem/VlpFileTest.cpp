// .vlp files: every item and bound type into the workspace, one case per
// distinct refusal, the writer read back, damaged files, and the published
// MOLP instances giving the same efficient vertices as their MPS versions.

#include "problem/MpsFile.h"
#include "problem/VlpFile.h"
#include "base/Messages.h"

#include "ProblemTestData.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>
#include <random>

using namespace problemtest;

namespace {

QString TestData(const QString& relative)
{
    return QDir(QStringLiteral(QUILVANE_TESTDATA_DIR)).filePath(relative);
}

// Maximize F1 = x1 + 2 x3, F2 = -x2 over
//   row 1: x1 + x2 >= 1 (l)     row 2: x2 - x3 <= 4 (u)     row 3: x1 = 2 (s)
//   row 4: 0 <= x1 + x3 <= 5 (d, two rows)  row 5: x2 + x3 in [3, 3] (d, one "=")
//   row 6: free (dropped)       row 7: no i line (dropped)
//   x1 >= -1 (l), 0 <= x2 <= 8 (d), x3 = 1.5 (s), x4 without a j line: 0.
const char kSample[] =
    "c a comment before the problem line\r\n"
    "p vlp max 7 4 10 2 3\r\n"
    "a 1 1 1\r\n"
    "a 1 2 1\r\n"
    "a 2 2 1\r\n"
    "a\t2\t3\t-1\r\n"
    "a 3 1 1\r\n"
    "a 4 1 1\r\n"
    "a 4 3 1\r\n"
    "a 5 2 1\r\n"
    "a 5 3 1.0e0\r\n"
    "a 6 1 9\r\n"
    "\r\n"
    "o 1 1 1\r\n"
    "o 1 3 2\r\n"
    "o 2 2 -1\r\n"
    "i 1 l 1\r\n"
    "i 2 u 4\r\n"
    "i 3 s 2\r\n"
    "i 4 d 0 5\r\n"
    "i 5 d 3 3\r\n"
    "i 6 f\r\n"
    "j 1 l -1\r\n"
    "j 2 d 0 8\r\n"
    "j 3 s 1.5\r\n"
    "c the end\r\n"
    "e\r\n";

std::unique_ptr<ProblemData> Previous()
{
    auto problem = RandomProblem(977, 2, 3, 4);
    RebuildSlackNames(*problem);
    return problem;
}

TEST(VlpFile, EveryItemAndBoundTypeReachesTheWorkspace)
{
    auto pb = NewResetProblem();
    const VlpReadResult read = ParseVlpText(kSample, *pb);
    ASSERT_EQ(read.status, VlpReadStatus::Ok) << read.message.toStdString();
    ASSERT_EQ(pb->numObjectives, 2);
    ASSERT_EQ(pb->numVariables, 4);
    ASSERT_EQ(pb->numConstraints, 6);
    EXPECT_EQ(pb->objSense[1], 1);
    EXPECT_EQ(pb->objSense[2], 1);
    EXPECT_EQ(pb->objName[2], QStringLiteral("F2"));
    EXPECT_EQ(pb->vars[4].name, QStringLiteral("X4"));
    const Real objectives[2][4] = {{1, 0, 2, 0}, {0, -1, 0, 0}};
    for (int k = 1; k <= 2; ++k)
        for (int j = 1; j <= 4; ++j)
            EXPECT_EQ(pb->objCoef[k][j], objectives[k - 1][j - 1]) << k << "," << j;
    struct RowWant {
        Real coef[4];
        int type;
        Real rhs;
    };
    const RowWant rows[6] = {
        {{1, 1, 0, 0}, ConGreaterEqual, 1}, {{0, 1, -1, 0}, ConLessEqual, 4}, {{1, 0, 0, 0}, ConEqual, 2},
        {{1, 0, 1, 0}, ConGreaterEqual, 0}, {{1, 0, 1, 0}, ConLessEqual, 5}, {{0, 1, 1, 0}, ConEqual, 3},
    };
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(pb->conType[i], rows[i - 1].type) << i;
        EXPECT_EQ(pb->conRhs[i], rows[i - 1].rhs) << i;
        for (int j = 1; j <= 4; ++j)
            EXPECT_EQ(pb->conCoef[i][j], rows[i - 1].coef[j - 1]) << i << "," << j;
    }
    const Real bounds[4][2] = {{-1, kInfiniteBound}, {0, 8}, {1.5L, 1.5L}, {0, 0}};
    for (int j = 1; j <= 4; ++j) {
        EXPECT_EQ(pb->vars[j].lb, bounds[j - 1][0]) << j;
        EXPECT_EQ(pb->vars[j].ub, bounds[j - 1][1]) << j;
    }
}

struct Refusal {
    const char* name;
    QByteArray text;
    VlpReadStatus status;
    QString message;
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

QString InputError(int line, const char* reason)
{
    return QStringLiteral("Input error in line %1: %2.").arg(line).arg(QString::fromUtf8(reason));
}
QString TooBig(int line, const char* reason)
{
    return QString::fromUtf8(msg::kTooBig) + QStringLiteral("\nLine %1: %2.").arg(line).arg(QLatin1String(reason));
}

// One row, one column, one objective, with `extra` before the end.
QByteArray Small(const QByteArray& extra, const QByteArray& head = "p vlp min 1 1 1 1 1\n")
{
    return head + "a 1 1 1\no 1 1 1\ni 1 u 4\nj 1 l 0\n" + extra + "e\n";
}

QByteArray ManyRows(int rows)
{
    QByteArray text = "p vlp min " + QByteArray::number(rows) + " 1 0 1 1\no 1 1 1\nj 1 l 0\n";
    for (int i = 1; i <= rows; ++i)
        text += "i " + QByteArray::number(i) + " d 0 1\n";
    return text + "e\n";
}

class VlpRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(VlpRefusal, NamesTheLineAndChangesNothing)
{
    auto problem = Previous();
    const auto before = std::make_unique<ProblemData>(*problem);
    const VlpReadResult read = ParseVlpText(GetParam().text, *problem);
    EXPECT_EQ(read.status, GetParam().status);
    EXPECT_EQ(read.message, GetParam().message);
    EXPECT_TRUE(SameProblem(*problem, *before));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VlpRefusal,
    ::testing::Values(
        Refusal{"ConeOnTheProblemLine", Small("", "p vlp min 1 1 1 1 1 cone 2 2\n"), VlpReadStatus::Refused,
                InputError(1, "only the natural ordering cone is supported; the file declares another (\"cone 2 2\")")},
        Refusal{"ConeLine", Small("k 1 0 1\n"), VlpReadStatus::Refused,
                InputError(6, "only the natural ordering cone is supported; the file declares another (\"k\")")},
        Refusal{"FreeColumn", Small("", "p vlp min 1 2 1 1 1\nj 2 f\n"), VlpReadStatus::Refused,
                InputError(2, "column 2 has no lower bound, and every variable needs one")},
        Refusal{"UpperBoundOnly", Small("", "p vlp min 1 2 1 1 1\nj 2 u 3\n"), VlpReadStatus::Refused,
                InputError(2, "column 2 has no lower bound, and every variable needs one")},
        Refusal{"BoundType", Small("", "p vlp min 2 1 1 1 1\ni 2 x 1\n"), VlpReadStatus::Refused,
                InputError(2, "bound type \"x\" is not f, l, u, d or s")},
        Refusal{"RowOutside", Small("a 2 1 1\n"), VlpReadStatus::Refused, InputError(6, "row 2 is outside 1..1")},
        Refusal{"ColumnOutside", Small("o 1 0 1\n"), VlpReadStatus::Refused,
                InputError(6, "column 0 is outside 1..1")},
        Refusal{"GivenTwice", Small("o 1 1 2\n"), VlpReadStatus::Refused, InputError(6, "o 1 1 given twice")},
        Refusal{"EntryCount", Small("", "p vlp min 1 1 2 1 1\n"), VlpReadStatus::Refused,
                InputError(6, "the p line announces 2 constraint entries, the file has 1")},
        Refusal{"Truncated", QByteArray("p vlp min 1 1 1 1 1\na 1 1 1\n"), VlpReadStatus::Refused,
                InputError(2, "the file ends without its e line")},
        Refusal{"BeforeTheProblemLine", QByteArray("a 1 1 1\n") + Small(""), VlpReadStatus::Refused,
                InputError(1, "\"a\" comes before the p line")},
        Refusal{"NoProblemLine", QByteArray("c nothing\ne\n"), VlpReadStatus::Refused,
                InputError(2, "the file has no p line")},
        Refusal{"SecondProblemLine", Small("p vlp min 1 1 1 1 1\n"), VlpReadStatus::Refused,
                InputError(6, "a second p line")},
        Refusal{"NotVlp", Small("", "p lp min 1 1 1 1 1\n"), VlpReadStatus::Refused,
                InputError(1, "the p line is \"p vlp min|max m n nz q qnz\"")},
        Refusal{"NotANumber", Small("a 1 1 1,5\n", "p vlp min 1 1 2 1 1\n"), VlpReadStatus::Refused,
                InputError(6, "\"1,5\" is not a number")},
        Refusal{"NotAWholeNumber", Small("", "p vlp min 1 1.5 1 1 1\n"), VlpReadStatus::Refused,
                InputError(1, "\"1.5\" is not a whole number")},
        Refusal{"HugeCount", Small("", "p vlp min 99999999999999999999 1 1 1 1\n"), VlpReadStatus::Refused,
                InputError(1, "\"99999999999999999999\" is not a whole number")},
        Refusal{"NegativeCount", Small("", "p vlp min -1 1 1 1 1\n"), VlpReadStatus::Refused,
                InputError(1, "the counts of the p line must not be negative")},
        Refusal{"NoObjective", QByteArray("p vlp max 1 1 0 0 0\ne\n"), VlpReadStatus::Refused,
                InputError(1, "the problem has no objective")},
        Refusal{"WordCount", Small("i 1 d 2\n"), VlpReadStatus::Refused,
                InputError(6, "a i line has 4 words, not 5")},
        Refusal{"UnknownLine", Small("x 1\n"), VlpReadStatus::Refused,
                InputError(6, "\"x\" is not a line of the .vlp format")},
        Refusal{"TooManyObjectives", Small("", "p vlp min 1 1 1 21 1\n"), VlpReadStatus::TooBig,
                TooBig(1, "21 objectives, at most 20")},
        Refusal{"TooManyColumns", Small("", "p vlp min 1 102 1 1 1\n"), VlpReadStatus::TooBig,
                TooBig(1, "102 variables, at most 101")},
        // 51 rows with two different bounds are 102 rows of the workspace.
        Refusal{"TooManyRowsOnceSplit", ManyRows(51), VlpReadStatus::TooBig, TooBig(1, "102 constraints, at most 100")}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST(VlpFile, FiftyRowsWithTwoBoundsFit)
{
    auto pb = NewResetProblem();
    ASSERT_EQ(ParseVlpText(ManyRows(50), *pb).status, VlpReadStatus::Ok);
    EXPECT_EQ(pb->numConstraints, MaxConstraints);
}

// Everything the format holds, compared inside the counts (names are not
// part of the format).
testing::AssertionResult SameContent(const ProblemData& a, const ProblemData& b)
{
    if (a.numObjectives != b.numObjectives || a.numConstraints != b.numConstraints || a.numVariables != b.numVariables)
        return testing::AssertionFailure() << "counts";
    for (int k = 1; k <= a.numObjectives; ++k) {
        if (a.objSense[k] != b.objSense[k])
            return testing::AssertionFailure() << "sense of objective " << k;
        for (int j = 1; j <= a.numVariables; ++j)
            if (a.objCoef[k][j] != b.objCoef[k][j])
                return testing::AssertionFailure() << "objCoef[" << k << "][" << j << "]";
    }
    for (int i = 1; i <= a.numConstraints; ++i) {
        if (a.conType[i] != b.conType[i] || a.conRhs[i] != b.conRhs[i])
            return testing::AssertionFailure() << "type or right-hand side of row " << i;
        for (int j = 1; j <= a.numVariables; ++j)
            if (a.conCoef[i][j] != b.conCoef[i][j])
                return testing::AssertionFailure() << "conCoef[" << i << "][" << j << "]";
    }
    for (int j = 1; j <= a.numVariables; ++j)
        if (a.vars[j].lb != b.vars[j].lb || a.vars[j].ub != b.vars[j].ub)
            return testing::AssertionFailure() << "bounds of variable " << j;
    return testing::AssertionSuccess();
}

TEST(VlpFile, WrittenAndReadBackIsTheSameProblem)
{
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        auto written = RandomProblem(seed, 1 + int(seed % MaxObjectives), int(seed * 7 % (MaxConstraints + 1)),
                                     1 + int(seed * 13 % MaxVariables));
        // One sense for all, as the format has; mixed senses are below.
        for (int k = 1; k <= written->numObjectives; ++k)
            written->objSense[k] = seed % 2 ? 1 : -1;
        auto read = NewResetProblem();
        const VlpReadResult result = ParseVlpText(VlpFileText(*written), *read);
        ASSERT_EQ(result.status, VlpReadStatus::Ok) << result.message.toStdString();
        EXPECT_TRUE(SameContent(*read, *written));
    }
}

TEST(VlpFile, MixedSensesAreWrittenAsMaximizedWithTheMinimizedOnesTurned)
{
    auto written = RandomProblem(5, 3, 4, 5);
    written->objSense[1] = 1;
    written->objSense[2] = -1;
    written->objSense[3] = -1;
    auto expected = std::make_unique<ProblemData>(*written);
    for (int k = 2; k <= 3; ++k) {
        expected->objSense[k] = 1;
        for (int j = 1; j <= 5; ++j)
            expected->objCoef[k][j] = -written->objCoef[k][j];
    }
    auto read = NewResetProblem();
    ASSERT_EQ(ParseVlpText(VlpFileText(*written), *read).status, VlpReadStatus::Ok);
    EXPECT_TRUE(SameContent(*read, *expected));
}

// Every cut of a file before its e line is refused, and random damage gives a
// complete problem within the limits or a refusal that changes nothing.
TEST(VlpFile, DamagedFilesAreReadWholeOrNotAtAll)
{
    for (const char* file : {"vlp/revelle_5a3.vlp", "molp/bensolve_ex01.vlp"}) {
        QFile f(TestData(QLatin1String(file)));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << file;
        const QByteArray whole = f.readAll();
        const qsizetype end = whole.lastIndexOf('e');
        for (qsizetype cut = 0; cut <= end; ++cut) {
            auto problem = Previous();
            const auto before = std::make_unique<ProblemData>(*problem);
            EXPECT_NE(ParseVlpText(whole.left(cut), *problem).status, VlpReadStatus::Ok) << file << " cut " << cut;
            EXPECT_TRUE(SameProblem(*problem, *before));
        }
    }
    const QByteArray original(kSample);
    const QByteArray alphabet = QByteArrayLiteral(" \t\r\n.-+eE0123456789aoijpckfluds");
    std::mt19937_64 rng(8080);
    int accepted = 0;
    for (int round = 0; round < 400; ++round) {
        QByteArray text = original;
        std::uniform_int_distribution<int> at(0, int(text.size()) - 1);
        std::uniform_int_distribution<int> pick(0, int(alphabet.size()) - 1);
        for (int e = 1 + round % 3; e > 0; --e)
            text[at(rng)] = alphabet.at(pick(rng));
        auto problem = Previous();
        const auto before = std::make_unique<ProblemData>(*problem);
        if (ParseVlpText(text, *problem).status == VlpReadStatus::Ok) {
            ++accepted;
            EXPECT_GE(problem->numObjectives, 1);
            EXPECT_LE(problem->numObjectives, MaxObjectives);
            EXPECT_LE(problem->numConstraints, MaxConstraints);
            EXPECT_GE(problem->numVariables, 1);
            EXPECT_LE(problem->numVariables, MaxVariables);
        } else {
            EXPECT_TRUE(SameProblem(*problem, *before)) << text.toStdString();
        }
    }
    EXPECT_GT(accepted, 0);
    EXPECT_LT(accepted, 400);
}

// ---------------------------------------------------------------------------
// The published instances

struct BatchRun {
    int exitCode = -1;
    QString out;
    QString err;
};

BatchRun RunBatch(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(QUILVANE_BATCH_EXE), args);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The basket table's rows: the efficient vertices the vector maximum
// approach stored, whatever their order.
QStringList BasketRows(const QString& out)
{
    QStringList rows = out.split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^\\[\\d+\\]\\t")));
    rows.sort();
    return rows;
}

TEST(VlpInstances, GiveTheEfficientVerticesOfTheirMpsVersions)
{
    const char* const pairs[][2] = {
        {"vlp/ehrgott_molp1.vlp", "molp/ehrgott_molp1.mps"},
        {"vlp/moa_bolp1.vlp", "molp/moa_bolp1.mps"},
        {"vlp/revelle_5a3.vlp", "molp/revelle_5a3.mps"},
        {"vlp/bensolve_ex05_natural.vlp", "molp/bensolve_ex05_molp.mps"},
    };
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair[0]);
        auto fromVlp = NewResetProblem();
        auto fromMps = NewResetProblem();
        ASSERT_EQ(ReadVlpFile(TestData(QLatin1String(pair[0])), *fromVlp).status, VlpReadStatus::Ok);
        ASSERT_TRUE(ReadMpsFile(TestData(QLatin1String(pair[1])), *fromMps).accepted());
        EXPECT_TRUE(SameContent(*fromVlp, *fromMps));

        const BatchRun vlp = RunBatch({TestData(QLatin1String(pair[0])), QStringLiteral("payoff"),
                                       QStringLiteral("vma"), QStringLiteral("basket")});
        const BatchRun mps = RunBatch({TestData(QLatin1String(pair[1])), QStringLiteral("payoff"),
                                       QStringLiteral("vma"), QStringLiteral("basket")});
        ASSERT_EQ(vlp.exitCode, 0) << vlp.err.toStdString();
        ASSERT_EQ(mps.exitCode, 0) << mps.err.toStdString();
        const QStringList vertices = BasketRows(vlp.out);
        EXPECT_GE(vertices.size(), 2) << vlp.out.toStdString();
        EXPECT_EQ(vertices, BasketRows(mps.out));
    }
}

TEST(VlpInstances, PublishedFilesWithAnotherConeOrFreeVariablesAreRefused)
{
    auto problem = NewResetProblem();
    VlpReadResult read = ReadVlpFile(TestData(QStringLiteral("molp/bensolve_ex05.vlp")), *problem);
    EXPECT_EQ(read.status, VlpReadStatus::Refused);
    EXPECT_EQ(read.message, InputError(1, "only the natural ordering cone is supported; the file declares another "
                                          "(\"cone 4 6\")"));
    read = ReadVlpFile(TestData(QStringLiteral("molp/bensolve_ex02.vlp")), *problem);
    EXPECT_EQ(read.message, InputError(13, "column 1 has no lower bound, and every variable needs one"));
    // The unbounded instance reads, and so does the batch tool's copy of it.
    read = ReadVlpFile(TestData(QStringLiteral("molp/bensolve_ex01.vlp")), *problem);
    ASSERT_EQ(read.status, VlpReadStatus::Ok) << read.message.toStdString();
    auto fromMps = NewResetProblem();
    ASSERT_TRUE(ReadMpsFile(TestData(QStringLiteral("molp/bensolve_ex01.mps")), *fromMps).accepted());
    EXPECT_TRUE(SameContent(*problem, *fromMps));
}

TEST(VlpBatch, WriteVlpGivesTheProblemBackAndTheSwitchesChooseTheReader)
{
    QTemporaryDir dir;
    const QString vlp = dir.filePath(QStringLiteral("afiro.vlp"));
    const QString mps = TestData(QStringLiteral("netlib/afiro.mps"));
    BatchRun run = RunBatch({mps, QStringLiteral("--write-vlp"), vlp});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    auto fromMps = NewResetProblem();
    auto fromVlp = NewResetProblem();
    ASSERT_TRUE(ReadMpsFile(mps, *fromMps).accepted());
    ASSERT_EQ(ReadVlpFile(vlp, *fromVlp).status, VlpReadStatus::Ok);
    EXPECT_TRUE(SameContent(*fromVlp, *fromMps));

    // Any name with --vlp; a .vlp file is not MPS.
    const QString renamed = dir.filePath(QStringLiteral("afiro.txt"));
    ASSERT_TRUE(QFile::copy(vlp, renamed));
    EXPECT_EQ(RunBatch({QStringLiteral("--vlp"), renamed}).exitCode, 0);
    run = RunBatch({QStringLiteral("--mps"), vlp});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("Error: Error in converting the problem\nLine "))) << run.err.toStdString();
    run = RunBatch({QStringLiteral("--vlp"), QStringLiteral("--mps"), vlp});
    EXPECT_EQ(run.exitCode, 2);
    // Nothing is written from a refused problem.
    const QString none = dir.filePath(QStringLiteral("none.vlp"));
    run = RunBatch({TestData(QStringLiteral("molp/bensolve_ex05.vlp")), QStringLiteral("--write-vlp"), none});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_FALSE(QFile::exists(none));
}

} // namespace
