#include "problem/ProblemListing.h"

#include "base/NumberFormat.h"
#include "base/TextFileFormat.h"


#include <algorithm>

namespace {

QString boundText(Real ub) { return ub >= kInfiniteBound ? QStringLiteral("M") : NumText(ub); }

QString typeText(std::uint8_t type)
{
    switch (type) {
    case ConEqual: return QStringLiteral("=  ");
    case ConGreaterEqual: return QStringLiteral(">=  ");
    default: return QStringLiteral("<=  ");
    }
}

} // namespace

QString ListingTerms(const ProblemData& problem, const std::array<Real, MaxVariables + 1>& coefficients)
{
    const int n = std::clamp(int(problem.numVariables), 0, MaxVariables);
    QString terms;
    for (int j = 1; j <= n; ++j) {
        const Real c = coefficients[j];
        if (c == 0)
            continue;
        if (c > 0 && j >= 2)
            terms += QLatin1Char('+');
        terms += NumText(c) + problem.vars[j].name + QLatin1Char(' ');
    }
    return terms;
}

QStringList ProblemListingLines(const ProblemData& problem)
{
    const int p = std::clamp(int(problem.numObjectives), 0, MaxObjectives);
    const int m = std::clamp(int(problem.numConstraints), 0, MaxConstraints);
    const int n = std::clamp(int(problem.numVariables), 0, MaxVariables);
    QStringList lines;
    lines << QStringLiteral("Number of objective functions: %1").arg(problem.numObjectives)
          << QStringLiteral("Number of functional constraints: %1").arg(problem.numConstraints)
          << QStringLiteral("Number of decision variables: %1").arg(problem.numVariables);
    lines << QStringLiteral("Objective functions:");
    for (int k = 1; k <= p; ++k) {
        const QString sense = problem.objSense[k] == -1 ? QStringLiteral("Min ") : QStringLiteral("Max ");
        lines << sense + problem.objName[k] + QStringLiteral("= ") + ListingTerms(problem, problem.objCoef[k]);
    }
    lines << QStringLiteral("Constraints:");
    for (int i = 1; i <= m; ++i) {
        lines << QStringLiteral("(%1):").arg(i) + ListingTerms(problem, problem.conCoef[i])
                     + typeText(problem.conType[i]) + NumText(problem.conRhs[i]);
    }
    lines << QStringLiteral("Variable Definition: name, Lower bound, Upper bound");
    for (int j = 1; j <= n; ++j) {
        const VariableDef& v = problem.vars[j];
        lines << v.name + QStringLiteral(": ") + NumText(v.lb) + QStringLiteral("  ") + boundText(v.ub);
    }
    return lines;
}

QByteArray ProblemListingText(const ProblemData& problem)
{
    QByteArray text;
    for (const QString& line : ProblemListingLines(problem)) {
        text += ToCp1252(line);
        text += "\r\n";
    }
    return text;
}

ProblemWriteResult WriteProblemText(const QString& path, const ProblemData& problem)
{
    QString error;
    if (!WriteWholeFile(path, ProblemListingText(problem), error))
        return ProblemWriteResult{false, QStringLiteral("Cannot write %1: %2").arg(path, error)};
    return ProblemWriteResult{};
}
