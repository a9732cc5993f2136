#include "solutions/BasketTable.h"

#include "base/Messages.h"
#include "base/NumberFormat.h"
#include "base/TextFileFormat.h"
#include "workspace/Workspace.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

const char kFirstHeader[] = "solution #";
const char kRowPrefix[] = "solution";
const char kLineEnd[] = "\r\n";

// Quicksort of list[lo..hi] by the objective values in `values` (indexed by
// basket index). The partitioning is part of the result: equal values end up
// in the order it leaves them.
void SortRange(const std::vector<Real>& values, bool ascending, std::vector<int>& list, int lo, int hi)
{
    const Real pivot = values[static_cast<size_t>(list[static_cast<size_t>((lo + hi) / 2)])];
    const auto key = [&](int position) { return values[static_cast<size_t>(list[static_cast<size_t>(position)])]; };
    int i = lo;
    int j = hi;
    do {
        if (ascending) {
            while (key(i) < pivot)
                ++i;
            while (key(j) > pivot)
                --j;
        } else {
            while (key(i) > pivot)
                ++i;
            while (key(j) < pivot)
                --j;
        }
        if (i <= j) {
            std::swap(list[static_cast<size_t>(i)], list[static_cast<size_t>(j)]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (lo < j)
        SortRange(values, ascending, list, lo, j);
    if (i < hi)
        SortRange(values, ascending, list, i, hi);
}

QByteArray lineOfNames(const Workspace& ws)
{
    QString line = text(kFirstHeader);
    for (int i = 1; i <= ws.numObjectives; ++i)
        line += QLatin1Char('\t') + ws.objName[i];
    for (int j = 1; j <= ws.numVariables; ++j)
        line += QLatin1Char('\t') + ws.vars[j].name;
    for (int i = 1; i <= ws.numConstraints; ++i)
        line += QLatin1Char('\t') + ws.slackName[i];
    return ToCp1252(line);
}

QByteArray lineOfSolution(const Workspace& ws, int s)
{
    const SolSolutionBasket& sol = ws.basket[static_cast<size_t>(s)];
    QString line = text(kRowPrefix) + QString::number(s);
    for (int i = 1; i <= ws.numObjectives; ++i)
        line += QLatin1Char('\t') + FormatFileReal(sol.f[i]);
    for (int j = 1; j <= ws.numVariables + ws.numConstraints; ++j)
        line += QLatin1Char('\t') + FormatFileReal(sol.x_s[j]);
    return ToCp1252(line);
}

} // namespace

BasketSortOrder BasketSort(const Workspace& ws, BasketSortView view)
{
    if (view == BasketSortView::Values)
        return {ws.ValuesSortKey, ws.ValuesSortAscending};
    return {ws.GraphSortKey, ws.GraphSortAscending};
}

void SetBasketSort(Workspace& ws, BasketSortView view, BasketSortOrder order)
{
    if (view == BasketSortView::Values) {
        ws.ValuesSortKey = order.key;
        ws.ValuesSortAscending = order.ascending;
    } else {
        ws.GraphSortKey = order.key;
        ws.GraphSortAscending = order.ascending;
    }
}

void SortBasketIndices(const Workspace& ws, int key, bool ascending, std::vector<int>& list)
{
    const int count = ws.basketCount;
    list.assign(static_cast<size_t>(count) + 1, 0);
    for (int r = 1; r <= count; ++r)
        list[static_cast<size_t>(r)] = r;
    if (key <= 0 || key > MaxObjectives || count == 0)
        return;
    std::vector<Real> values(static_cast<size_t>(count) + 1, 0);
    for (int s = 1; s <= count; ++s)
        values[static_cast<size_t>(s)] = ws.basket[static_cast<size_t>(s)].f[key];
    SortRange(values, ascending, list, 1, count);
}

BasketTableModel MakeBasketTable(const Workspace& ws)
{
    const int k = ws.numObjectives;
    const int n = ws.numVariables;
    const int m = ws.numConstraints;

    BasketTableModel table;
    SortBasketIndices(ws, ws.ValuesSortKey, ws.ValuesSortAscending, table.order);
    table.columnCount = 1 + k + n + m;
    table.rowCount = ws.basketCount + 1;

    table.kinds.reserve(static_cast<size_t>(table.columnCount));
    table.kinds.push_back(BasketColumnKind::Index);
    table.kinds.insert(table.kinds.end(), static_cast<size_t>(k), BasketColumnKind::Objective);
    table.kinds.insert(table.kinds.end(), static_cast<size_t>(n), BasketColumnKind::Variable);
    table.kinds.insert(table.kinds.end(), static_cast<size_t>(m), BasketColumnKind::Slack);

    table.cells.reserve(static_cast<size_t>(table.rowCount));
    QStringList header;
    header << QString();
    for (int i = 1; i <= k; ++i)
        header << ws.objName[i];
    for (int j = 1; j <= n; ++j)
        header << ws.vars[j].name;
    for (int i = 1; i <= m; ++i)
        header << ws.slackName[i];
    table.cells.push_back(header);

    for (int r = 1; r < table.rowCount; ++r) {
        const int s = table.order[static_cast<size_t>(r)];
        const SolSolutionBasket& sol = ws.basket[static_cast<size_t>(s)];
        QStringList row;
        row << BasketIndexText(s);
        for (int i = 1; i <= k; ++i)
            row << NumText(sol.f[i]);
        for (int j = 1; j <= n + m; ++j)
            row << NumText(sol.x_s[j]);
        table.cells.push_back(row);
    }
    return table;
}

int BasketColumnMargin(BasketColumnKind kind) { return kind == BasketColumnKind::Objective ? 15 : 10; }

int WidenBasketColumn(int width, int textWidth, BasketColumnKind kind)
{
    return std::max(width, textWidth + BasketColumnMargin(kind));
}

QString BasketIndexText(int index) { return QStringLiteral("[%1]").arg(index); }

int BasketIndexFromText(const QString& text)
{
    if (text.size() < 3 || !text.startsWith(QLatin1Char('[')) || !text.endsWith(QLatin1Char(']')))
        return 0;
    bool ok = false;
    const int index = text.mid(1, text.size() - 2).toInt(&ok);
    return ok && index > 0 ? index : 0;
}

QByteArray BasketTableText(const Workspace& ws)
{
    std::vector<int> order;
    SortBasketIndices(ws, ws.ValuesSortKey, ws.ValuesSortAscending, order);
    QByteArray bytes = lineOfNames(ws);
    for (int r = 1; r <= ws.basketCount; ++r) {
        bytes += kLineEnd;
        bytes += lineOfSolution(ws, order[static_cast<size_t>(r)]);
    }
    return bytes;
}

QString WriteBasketTable(const Workspace& ws, const QString& path)
{
    QString error;
    if (WriteWholeFile(path, BasketTableText(ws), error))
        return QString();
    return QStringLiteral("Cannot write %1: %2").arg(path, error);
}
