#pragma once

#include "base/Notices.h"
#include "solutions/Tolerances.h"
#include "workspace/Workspace.h"

#include <QString>

// The Solution Basket: storing solutions with the duplicate test, the bases
// of degenerate solutions and the palette colours, and deleting them with
// the renumbering of everything that refers to basket indices.

// The smallest basket index holding (f, x_s), 0 when there is none.
int FindStoredSolution(const Workspace& ws, const vectorObj& f, const tipoXcorr& x_s);
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
[[nodiscard]] StoreResult StoreSolution(Workspace& ws, bool withBasis, const vectorResEB_Int& basis, const vectorObj& f,
                                        bool showMessages, Color colour, const tipoXcorr& x_s);

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
