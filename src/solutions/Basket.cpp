#include "solutions/Basket.h"

#include "solutions/Payoff.h"
#include "solutions/Messages.h"

#include <cmath>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

bool isEmptyBasis(const StoredBasis& basis) { return basis[1] == 0; }

bool sameList(const StoredBasis& stored, const vectorResEB_Int& b)
{
    for (std::size_t i = 1; i < b.size(); ++i) {
        if (stored[i] != b[i])
            return false;
        if (b[i] == 0)
            return true;
    }
    return true;
}

Color newEntryColour(Workspace& ws, Color colour)
{
    if (colour == kNoColor) {
        ws.paletteIndex = ws.paletteIndex >= kBasketPaletteSize ? 1 : ws.paletteIndex + 1;
        ws.lastColor = ws.basketPalette[ws.paletteIndex];
        return ws.lastColor;
    }
    if (colour == kComputedColor) {
        ws.lastColor = kStoredComputedColor;
        return ws.lastColor;
    }
    if (ws.activeMethod == MethodKind::ParetoRace && ws.raceObjective > 0) {
        ws.lastColor = ws.raceColors[6 + ws.raceObjective % 6];
        return ws.lastColor;
    }
    return colour;
}

// An index after the deletion of entry k: 0 when it was k, one less above k.
std::int32_t renumbered(std::int32_t index, int k)
{
    if (index == k)
        return 0;
    return index > k ? index - 1 : index;
}

} // namespace

int StoredVertexCount(const Workspace& ws)
{
    int count = 0;
    for (int i = 1; i <= ws.basketCount; ++i)
        if (!ws.basket[i].vbs.empty() && !isEmptyBasis(ws.basket[i].vbs.front()))
            ++count;
    return count;
}

namespace {

bool sameSolution(const Workspace& ws, int i, const vectorObj& f, const tipoXcorr& x_s)
{
    const SolSolutionBasket& s = ws.basket[i];
    bool same = true;
    for (int k = 1; k <= ws.numObjectives && same; ++k)
        same = std::fabs(s.f[k] - f[k]) <= kDuplicateTol;
    for (int j = 1; j <= ws.numVariables && same; ++j)
        same = std::fabs(s.x_s[j] - x_s[j]) <= kDuplicateTol;
    return same;
}

// Cells of the lookup: much wider than the tolerance, so that the values
// within it of one value fall into at most two.
constexpr Real kLookupCell = 1e-3L;

} // namespace

int FindStoredSolution(const Workspace& ws, const vectorObj& f, const tipoXcorr& x_s)
{
    for (int i = 1; i <= ws.basketCount; ++i)
        if (sameSolution(ws, i, f, x_s))
            return i;
    return 0;
}

namespace {

// The same for the lists that sameList finds equal: the elements from 1 up
// to the first 0, with the entry's index.
template <class List>
std::uint64_t basisKey(int index, const List& basis, std::size_t end)
{
    std::uint64_t h = 1469598103934665603ull ^ static_cast<std::uint32_t>(index);
    for (std::size_t i = 1; i < end && basis[i] != 0; ++i)
        h = (h ^ static_cast<std::uint32_t>(basis[i])) * 1099511628211ull;
    return h;
}

} // namespace

SolutionLookup::SolutionLookup(const Workspace& ws)
{
    for (int i = 1; i <= ws.basketCount; ++i) {
        add(ws, i);
        for (std::size_t b = 0; b < ws.basket[i].vbs.size(); ++b)
            addBasis(ws, i, b);
    }
}

bool SolutionLookup::hasBasis(const Workspace& ws, int index, const vectorResEB_Int& basis) const
{
    // sameList reads `basis` only up to its first 0 and the stored list up to
    // the same place: an empty basis is the one case where the stored list's
    // own end matters, left to the scan.
    if (basis[1] == 0)
        return SameBasisStored(ws, index, basis);
    const auto range = bases_.equal_range(basisKey(index, basis, basis.size()));
    const std::vector<StoredBasis>& stored = ws.basket[index].vbs;
    for (auto it = range.first; it != range.second; ++it)
        if (it->second < stored.size() && sameList(stored[it->second], basis))
            return true;
    return false;
}

void SolutionLookup::addBasis(const Workspace& ws, int index, std::size_t position)
{
    const StoredBasis& basis = ws.basket[index].vbs[position];
    if (!isEmptyBasis(basis))
        bases_.emplace(basisKey(index, basis, std::tuple_size<vectorResEB_Int>::value), position);
}

bool SolutionLookup::cellsOf(Real value, std::int64_t& first, std::int64_t& last)
{
    // Twice the tolerance, for the rounding of the bounds themselves.
    const Real low = std::floor((value - 2 * kDuplicateTol) / kLookupCell);
    const Real high = std::floor((value + 2 * kDuplicateTol) / kLookupCell);
    if (!(std::fabs(low) < 1e15L && std::fabs(high) < 1e15L))
        return false;
    first = static_cast<std::int64_t>(low);
    last = static_cast<std::int64_t>(high);
    return true;
}

int SolutionLookup::find(const Workspace& ws, const vectorObj& f, const tipoXcorr& x_s) const
{
    if (ws.numObjectives < 1)
        return FindStoredSolution(ws, f, x_s);
    // The smallest matching index of every list that can hold one (each
    // list is in increasing order).
    int found = 0;
    auto search = [&](const std::vector<int>& list) {
        for (int i : list) {
            if (found != 0 && i >= found)
                return;
            if (sameSolution(ws, i, f, x_s)) {
                found = i;
                return;
            }
        }
    };
    std::int64_t first = 0;
    std::int64_t last = 0;
    if (cellsOf(f[1], first, last)) {
        for (std::int64_t cell = first; cell <= last; ++cell) {
            const auto it = cells_.find(cell);
            if (it != cells_.end())
                search(it->second);
        }
    } else {
        return FindStoredSolution(ws, f, x_s);
    }
    search(unfiled_);
    return found;
}

void SolutionLookup::add(const Workspace& ws, int index)
{
    const Real value = ws.numObjectives >= 1 ? ws.basket[index].f[1] : Real(0);
    const Real cell = std::floor(value / kLookupCell);
    if (std::fabs(cell) < 1e15L)
        cells_[static_cast<std::int64_t>(cell)].push_back(index);
    else
        unfiled_.push_back(index);
}

bool SameBasisStored(const Workspace& ws, int index, const vectorResEB_Int& basis)
{
    for (const StoredBasis& stored : ws.basket[index].vbs)
        if (sameList(stored, basis))
            return true;
    return false;
}

void Notify(Notices& notices, const QString& message, bool showMessages)
{
    notices.status(0, message);
    if (showMessages)
        notices.message(MsgKind::Information, message);
}

StoreResult StoreSolution(Workspace& ws, bool withBasis, const vectorResEB_Int& basis, const vectorObj& f,
                          bool showMessages, Color colour, const tipoXcorr& x_s, SolutionLookup* lookup)
{
    StoreResult result;
    result.newBasis = true;
    result.isNew = true;
    const int existing = lookup != nullptr ? lookup->find(ws, f, x_s) : FindStoredSolution(ws, f, x_s);
    if (existing > 0) {
        result.isNew = false;
        result.index = existing;
        bool degenerate = false;
        if (withBasis) {
            SolSolutionBasket& entry = ws.basket[existing];
            if (isEmptyBasis(entry.vbs[0])) {
                entry.vbs[0] = StoredBasisOf(basis);
                if (lookup != nullptr)
                    lookup->addBasis(ws, existing, 0);
            } else if (lookup != nullptr ? lookup->hasBasis(ws, existing, basis) : SameBasisStored(ws, existing, basis)) {
                result.newBasis = false;
            } else {
                entry.vbs.push_back(StoredBasisOf(basis));
                if (lookup != nullptr)
                    lookup->addBasis(ws, existing, entry.vbs.size() - 1);
                degenerate = true;
            }
        }
        Notify(result.notices, (degenerate ? text(msg::kSolutionDegenerate) : text(msg::kSolutionAlreadySaved)).arg(existing),
               showMessages);
        return result;
    }

    SolSolutionBasket entry;
    entry.indRegIndif = 0;
    entry.f = SolutionValues(f, ws.numObjectives);
    entry.x_s = SolutionValues(x_s, ws.numVariables + ws.numConstraints);
    entry.vbs.assign(1, withBasis ? StoredBasisOf(basis) : StoredBasis{});
    const int index = ws.appendSolution(std::move(entry));
    if (index == 0) {
        Notify(result.notices, text(msg::kNoMemoryForSolutions), showMessages);
        result.failed = true;
        result.isNew = false;
        result.newBasis = false;
        return result;
    }
    if (lookup != nullptr) {
        lookup->add(ws, index);
        lookup->addBasis(ws, index, 0);
    }
    // The palette advances only for an entry that was stored.
    ws.basket[index].cor = newEntryColour(ws, colour);
    result.index = index;
    WidenNadirPoint(ws, f);

    result.notices.event(UiEvent::BasketValuesChanged);
    result.notices.event(UiEvent::BasketChartChanged);
    result.notices.status(0, text(msg::kLastSolutionSaved).arg(ws.basketCount));
    return result;
}

DeleteOutcome DeleteSolutionRange(Workspace& ws, int from, int to)
{
    DeleteOutcome out;
    for (int k = to; k >= from; --k) {
        if (k < 0 || k > ws.basketCount)
            continue;
        if (k >= 1 && ws.basket[k].indRegIndif != 0) {
            out.keptForRegion = true;
            continue;
        }
        if (k <= ws.numObjectives) {
            out.keptOptimum = true;
            continue;
        }
        ws.eraseSolution(k);
        // The nadir and pay-off bookkeeping follows its solutions; a nadir
        // whose solution is gone is no longer known exactly.
        for (int q = 1; q <= MaxObjectives; ++q) {
            ws.nadirSource[q] = renumbered(ws.nadirSource[q], k);
            ws.payoff[q].basketIndex = renumbered(ws.payoff[q].basketIndex, k);
        }
        // The solutions of the ICW iteration in progress, likewise.
        for (std::int32_t& index : ws.icwSolutions)
            index = renumbered(index, k);
        ++out.deleted;
    }
    return out;
}

bool ParseDeleteRange(const QString& typed, int& from, int& to, QString& bad)
{
    const int dash = typed.indexOf(QLatin1Char('-'));
    const QString first = dash < 0 ? typed : typed.left(dash);
    const QString second = dash < 0 ? typed : typed.mid(dash + 1);
    bool ok = false;
    from = first.trimmed().toInt(&ok);
    if (!ok) {
        bad = first;
        return false;
    }
    to = second.trimmed().toInt(&ok);
    if (!ok) {
        bad = second;
        return false;
    }
    return true;
}
