#pragma once

#include "base/Notices.h"
#include "solutions/Tolerances.h"
#include "workspace/Workspace.h"

#include <QString>

#include <cstdint>
#include <unordered_map>
#include <vector>

// The Solution Basket: storing solutions with the duplicate test, the bases
// of degenerate solutions and the palette colours, and deleting them with
// the renumbering of everything that refers to basket indices.

// The smallest basket index holding (f, x_s), 0 when there is none.
int FindStoredSolution(const Workspace& ws, const vectorObj& f, const tipoXcorr& x_s);

// FindStoredSolution() without a scan of the whole basket, for a caller
// that stores many solutions in a row (the vertex walks): the entries are
// filed by their first objective value. It knows the entries present when
// it was made and those stored through StoreSolution() with it; the basket
// must not change otherwise while it is in use.
class SolutionLookup {
public:
    explicit SolutionLookup(const Workspace& ws);
    int find(const Workspace& ws, const vectorObj& f, const tipoXcorr& x_s) const;
    void add(const Workspace& ws, int index);
    // SameBasisStored(ws, index, basis) without a scan of the entry's bases.
    bool hasBasis(const Workspace& ws, int index, const vectorResEB_Int& basis) const;
    // Files basis `position` of entry `index` (set or appended since).
    void addBasis(const Workspace& ws, int index, std::size_t position);

private:
    // The cells that hold every value within the duplicate tolerance of
    // `value`; false for a value that has no cell (not finite, or huge).
    static bool cellsOf(Real value, std::int64_t& first, std::int64_t& last);

    std::unordered_map<std::int64_t, std::vector<int>> cells_;
    std::vector<int> unfiled_; // entries whose first value has no cell
    // By entry and a hash of the basis: the basis's position in the entry's list.
    std::unordered_multimap<std::uint64_t, std::size_t> bases_;
};

// One of the bases of basket entry `index` equals `basis` (lists compared up
// to the end of either; bases are kept sorted, so equal sets give equal lists).
bool SameBasisStored(const Workspace& ws, int index, const vectorResEB_Int& basis);
// The stored solutions that hold a basis: the vertices. One stored without
// a basis (a reference point's) need not be a vertex.
int StoredVertexCount(const Workspace& ws);

struct StoreResult {
    int index = 0;          // the basket index, new or existing; 0 after a failure
    bool isNew = false;     // a new basket entry
    bool newBasis = false;  // a new entry, or a basis the entry did not have yet
    bool failed = false;    // memory ran out
    Notices notices;        // the store message (Notify) and the basket views to redraw
};

// Puts a solution into the basket; `colour` white takes the next palette
// colour.
// `lookup`, when given, finds the duplicate and files a new entry.
[[nodiscard]] StoreResult StoreSolution(Workspace& ws, bool withBasis, const vectorResEB_Int& basis, const vectorObj& f,
                                        bool showMessages, Color colour, const tipoXcorr& x_s,
                                        SolutionLookup* lookup = nullptr);

// Status panel 0, and an information box when showMessages.
void Notify(Notices& notices, const QString& text, bool showMessages);

struct DeleteOutcome {
    int deleted = 0;
    bool keptForRegion = false; // an entry with an indifference region was asked for
    bool keptOptimum = false;   // one of the individual optima (indices up to p) was asked for
};

// Deletes the entries to..from (downwards) that may be deleted, renumbering
// the history, the edges, the pay-off indices, the nadir sources and the
// solutions of the ICW iteration.
DeleteOutcome DeleteSolutionRange(Workspace& ws, int from, int to);

// "3-5" -> 3, 5; "4" -> 4, 4. False when a part is not an integer; `bad`
// then holds that part.
bool ParseDeleteRange(const QString& text, int& from, int& to, QString& bad);
