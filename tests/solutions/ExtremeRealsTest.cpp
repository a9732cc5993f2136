// Every number a file of the program holds reads back, down to the ends of
// the double range: each writer is read by its reader (the listing, which
// the program does not read, by the one real parser).

#include "base/RealParser.h"
#include "problem/ProblemFile.h"
#include "problem/ProblemListing.h"
#include "problem/VlpFile.h"
#include "solutions/ResultsFile.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <cfloat>
#include <cmath>
#include <memory>

namespace {

const Real kExtremes[] = {DBL_MAX, -DBL_MAX, 9.99999999999999e307L, 1.797693134862315e308L, 1e-308L,
                          DBL_TRUE_MIN, -DBL_TRUE_MIN, DBL_MIN};

// Two objectives over one variable and one row, every coefficient `v`.
std::unique_ptr<Workspace> ProblemOf(Real v)
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ws->numObjectives = 2;
    ws->numConstraints = 1;
    ws->numVariables = 1;
    ws->objCoef[1][1] = v;
    ws->objCoef[2][1] = -v;
    ws->conCoef[1][1] = v;
    ws->conRhs[1] = v;
    ws->vars[1].lb = -std::fabs(v);
    ResetComputedState(*ws);
    return ws;
}

// The 23-character form keeps 15 digits; past the largest double it keeps
// the largest value that reads.
void ExpectNear15(Real got, Real want, const char* what)
{
    EXPECT_LE(std::fabs(got - want), 1e-14L * std::fabs(want)) << what << ": " << double(want);
}

class ExtremeReals : public testing::TestWithParam<Real> {};

TEST_P(ExtremeReals, ProblemFileReadsBack)
{
    const Real v = GetParam();
    const auto ws = ProblemOf(v);
    auto back = std::make_unique<ProblemData>();
    const ProblemReadResult read = ParseProblemText(ProblemFileText(*ws), *back);
    ASSERT_EQ(read.status, ProblemReadStatus::Ok) << read.message.toStdString();
    ExpectNear15(back->objCoef[1][1], v, "objective");
    ExpectNear15(back->conCoef[1][1], v, "row");
    ExpectNear15(back->conRhs[1], v, "rhs");
    ExpectNear15(back->vars[1].lb, -std::fabs(v), "bound");
}

TEST_P(ExtremeReals, VlpFileReadsBackExactly)
{
    const Real v = GetParam();
    const auto ws = ProblemOf(v);
    auto back = std::make_unique<ProblemData>();
    const VlpReadResult read = ParseVlpText(VlpFileText(*ws), *back);
    ASSERT_EQ(read.status, VlpReadStatus::Ok) << read.message.toStdString();
    EXPECT_EQ(std::fabs(back->objCoef[1][1]), std::fabs(v));
    EXPECT_EQ(back->conCoef[1][1], v);
}

TEST_P(ExtremeReals, ListingNumbersParse)
{
    const auto ws = ProblemOf(GetParam());
    const QString listing = QString::fromLatin1(ProblemListingText(*ws));
    const QRegularExpression number(QStringLiteral("-?\\d+(\\.\\d+)?(E-?\\d+)?"));
    int numbers = 0;
    for (auto match = number.globalMatch(listing); match.hasNext(); ++numbers) {
        const QString token = match.next().captured();
        EXPECT_TRUE(ParseReal(token).has_value()) << token.toStdString();
    }
    EXPECT_GT(numbers, 0);
}

TEST_P(ExtremeReals, ResultsFileReadsBack)
{
    const Real v = GetParam();
    const auto ws = ProblemOf(v);
    SolSolutionBasket sol;
    sol.f = {0, v, -v};
    sol.x_s = {0, v, v};
    sol.vbs.emplace_back(); // stored without a basis
    ws->idealPoint[1] = v;
    ws->nadirPoint[2] = -v;
    ws->normFactor[1] = v;
    ws->replace({SolSolutionBasket{}, sol}, {UmaOuMaisRegioes{}}, {UmaAresta{}});
    ws->payoff[1].basketIndex = ws->payoff[2].basketIndex = 1;
    const QByteArray text = ResultsFileText(*ws);

    const auto back = ProblemOf(v);
    const ResultsFileResult read = ParseResultsText(text, *back);
    ASSERT_TRUE(read.ok) << read.message.toStdString();
    ExpectNear15(back->basket[1].f[2], -v, "f");
    ExpectNear15(back->basket[1].x_s[2], v, "x_s");
    ExpectNear15(back->idealPoint[1], v, "ideal");
    ExpectNear15(back->normFactor[1], v, "norm");
    // Written again, the values read are written as they were.
    EXPECT_EQ(ResultsFileText(*back), text);
}

INSTANTIATE_TEST_SUITE_P(DoubleRange, ExtremeReals, testing::ValuesIn(kExtremes));

} // namespace
