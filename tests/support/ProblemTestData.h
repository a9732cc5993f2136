#pragma once

// Problems for the file tests: random ones built from a seed, and a full
// comparison of two problems.

#include "base/TextFileFormat.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <cmath>
#include <cstdint>
#include <memory>
#include <random>

namespace problemtest {

// ProblemData is a few hundred kilobytes: tests keep it on the heap.
inline std::unique_ptr<ProblemData> NewResetProblem()
{
    auto problem = std::make_unique<ProblemData>();
    ResetProblemData(*problem);
    return problem;
}

// A value of one of the shapes a problem holds: small integers, fractions,
// large and tiny magnitudes, zero, the infinite bound.
inline Real RandomReal(std::mt19937_64& rng)
{
    std::uniform_int_distribution<int> shape(0, 7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<int> smallInt(-50, 50);
    std::uniform_int_distribution<int> exponent(-300, 300);
    switch (shape(rng)) {
    case 0: return 0;
    case 1: return smallInt(rng);
    case 2: return Real(unit(rng)) * 1000;
    case 3: return Real(unit(rng)) * std::pow(10.0L, Real(exponent(rng)));
    case 4: return Real(smallInt(rng)) / 7; // never exact in binary or decimal
    case 5: return kInfiniteBound;
    case 6: return Real(unit(rng)) * 1e-7L;
    default: {
        // Full 64-bit mantissas, beyond what 15 digits keep.
        std::uniform_int_distribution<std::uint64_t> bits;
        return Real(bits(rng)) * (unit(rng) < 0 ? -1 : 1);
    }
    }
}

inline QString RandomName(std::mt19937_64& rng, int maxLength, int index, QChar prefix)
{
    static const QStringList pool = {
        QStringLiteral("Preço"),       QStringLiteral("Ação"),           QStringLiteral("Profit"),
        QStringLiteral("Café Müller"), QStringLiteral(" lead blank"),    QStringLiteral("trail blank  "),
        QStringLiteral("€ and Œ"),     QStringLiteral("ABCDEFGHIJ"),     QStringLiteral("Emissão CO2"),
        QStringLiteral("naïve"),       QStringLiteral("x"),              QStringLiteral("Größe (t)"),
        QStringLiteral("a b c d e f"), QStringLiteral("ÀÉÎÕÜ àéîõü ñ"), QStringLiteral("“quoted” – dash"),
    };
    std::uniform_int_distribution<int> pick(0, int(pool.size()));
    const int i = pick(rng);
    QString name = i == int(pool.size()) ? QStringLiteral("%1%2").arg(prefix).arg(index) : pool.at(i);
    return name.left(maxLength);
}

// A complete problem of the given size; every value and name is one the
// writer can store and the reader gives back.
inline std::unique_ptr<ProblemData> RandomProblem(std::uint64_t seed, int p, int m, int n)
{
    std::mt19937_64 rng(seed);
    auto problem = NewResetProblem();
    problem->numObjectives = p;
    problem->numConstraints = m;
    problem->numVariables = n;
    std::uniform_int_distribution<int> sense(0, 1);
    std::uniform_int_distribution<int> type(0, 2);
    for (int k = 1; k <= p; ++k) {
        problem->objSense[k] = sense(rng) ? 1 : -1;
        for (int j = 1; j <= n; ++j)
            problem->objCoef[k][j] = RandomReal(rng);
        problem->objName[k] = RandomName(rng, MaxObjNameLength, k, QLatin1Char('F'));
    }
    for (int i = 1; i <= m; ++i) {
        for (int j = 1; j <= n; ++j)
            problem->conCoef[i][j] = RandomReal(rng);
        problem->conType[i] = std::uint8_t(type(rng));
        problem->conRhs[i] = RandomReal(rng);
    }
    for (int j = 1; j <= n; ++j) {
        problem->vars[j].lb = RandomReal(rng);
        problem->vars[j].ub = RandomReal(rng);
        problem->vars[j].name = RandomName(rng, MaxVarNameLength, j, QLatin1Char('X'));
    }
    return problem;
}

// Every field, over the whole arrays: what a reader leaves alone must stay
// exactly as it was.
inline testing::AssertionResult SameProblem(const ProblemData& a, const ProblemData& b)
{
    if (a.numObjectives != b.numObjectives || a.numConstraints != b.numConstraints ||
        a.numVariables != b.numVariables)
        return testing::AssertionFailure() << "counts " << a.numObjectives << "/" << a.numConstraints << "/"
                                           << a.numVariables << " vs " << b.numObjectives << "/"
                                           << b.numConstraints << "/" << b.numVariables;
    for (int k = 0; k <= MaxObjectives; ++k) {
        if (a.objSense[k] != b.objSense[k])
            return testing::AssertionFailure() << "objSense[" << k << "]";
        if (a.objName[k] != b.objName[k])
            return testing::AssertionFailure() << "objName[" << k << "]: " << a.objName[k].toStdString()
                                               << " vs " << b.objName[k].toStdString();
        for (int j = 0; j <= MaxVariables; ++j) {
            if (a.objCoef[k][j] != b.objCoef[k][j])
                return testing::AssertionFailure() << "objCoef[" << k << "][" << j << "]";
        }
    }
    for (int i = 0; i <= MaxConstraints; ++i) {
        if (a.conType[i] != b.conType[i])
            return testing::AssertionFailure() << "conType[" << i << "]";
        if (a.conRhs[i] != b.conRhs[i])
            return testing::AssertionFailure() << "conRhs[" << i << "]";
        if (a.slackName[i] != b.slackName[i])
            return testing::AssertionFailure() << "slackName[" << i << "]";
        for (int j = 0; j <= MaxVariables; ++j) {
            if (a.conCoef[i][j] != b.conCoef[i][j])
                return testing::AssertionFailure() << "conCoef[" << i << "][" << j << "]";
        }
    }
    for (int j = 0; j <= MaxVariables; ++j) {
        if (a.vars[j].lb != b.vars[j].lb || a.vars[j].ub != b.vars[j].ub)
            return testing::AssertionFailure() << "bounds of variable " << j;
        if (a.vars[j].name != b.vars[j].name)
            return testing::AssertionFailure() << "name of variable " << j << ": "
                                               << a.vars[j].name.toStdString() << " vs "
                                               << b.vars[j].name.toStdString();
    }
    return testing::AssertionSuccess();
}

// True when `read` is `written` rounded to 15 significant digits.
inline testing::AssertionResult SameTo15Digits(Real written, Real read)
{
    if (FormatFileReal(written) != FormatFileReal(read))
        return testing::AssertionFailure() << FormatFileReal(written).toStdString() << " read back as "
                                           << FormatFileReal(read).toStdString();
    const Real scale = std::fabs(written);
    if (std::fabs(written - read) > scale * 5.0000001e-15L)
        return testing::AssertionFailure() << "relative error above half a unit of the 15th digit";
    return testing::AssertionSuccess();
}

} // namespace problemtest
