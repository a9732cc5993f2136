#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <QString>

#include <cstdint>

struct Workspace;

// The results file (.out): the work done on a problem (ideal and nadir
// points, normalization factors, the Solution Basket with bases, colours and
// indifference-region chains, the pay-off indices and the edges), written so
// that it can be read back into the same problem later. The problem itself
// is not in it.
//
// Layout, single-byte text with CR LF line ends (p objectives, n variables,
// m constraints, S solutions, R regions, E edges):
//
//   //Ideal Solution
//   p reals                      (each real in the 23-character form, then a blank)
//   //(Aprox)Nadir Solution
//   p reals
//   //Normalization factors for the objective functions
//   p reals
//   S //Number of solutions
//   R //Number of indiference regions (IR) on the weight space
//   //Solutions (f,x,Nbases,vb [outras vbs],color,IRindex, [IR vertices]
//   S solution blocks:
//     f: p reals
//     x_s: n + m reals
//     B, the number of bases, then one line per basis: "3 5 7 0" ("0" when empty)
//     the colour as R + 256 G + 65536 B
//     the first region of the solution, 0 for none; then one line per polygon
//     of its chain: "   N" x1 " " y1 "  " ... "    " next-index
//   //Indices in the SolutionBasket of the Payoff Solutions
//   p lines, the basket index of each pay-off solution
//   E //Number of edges identified
//   E lines "Sol1  Sol2"
//
// The file holds no sizes: the reader takes p, n and m from the problem that
// is open, and a line with more values than the problem has is refused as the
// file of another problem.

// What a results file may hold beyond the problem's own sizes, by what the
// program can store: a solution gets a new basis only when a computation
// reaches it through one it did not have yet, and no more than this many
// (a degenerate vertex of the largest problem has far fewer in practice).
inline constexpr int kMaxBasesPerSolution = 10000;
// The largest results file read: the reader indexes its bytes with 32-bit
// positions.
inline constexpr qint64 kMaxResultsFileBytes = qint64(1) << 30;

struct ResultsFileResult {
    bool ok = true;
    // False when the file could not be opened at all (an import then does
    // nothing, with no message); true for every other outcome.
    bool opened = true;
    QString message; // the text to show when !ok
};

// The file text of the workspace's results.
QByteArray ResultsFileText(const Workspace& ws);
// A hash of ResultsFileText(ws), computed piece by piece without holding the
// whole text: equal texts give equal hashes.
std::uint64_t ResultsFileHash(const Workspace& ws);

// Reads a results file text for the problem in `ws`. The whole text is parsed
// and checked first (at least one solution; 1 to kMaxBasesPerSolution
// distinct bases per solution, each on its own line and listing distinct
// variables of the widest scalarizing program, no more of them than that
// program has rows; regions only with 2 or 3 objectives and no more than
// one per basis the solutions may have, every region index and chain within
// the regions, each polygon on exactly one chain, no chain
// looping; at most one edge per pair of regions; pay-off and edge indices
// within 1..S; 0..30 vertices, each a weight in [0, 1] within
// kWeightRangeTol; colours within 24 bits; no line with more
// values than the problem has). A count of solutions, regions, edges, bases
// or vertices that the rest of the file is too short to hold (at two bytes
// a value) is refused before anything is allocated for it, so memory stays
// in proportion to the file. A refusal names the line
// ("Error in line 17 of the results file: ...") and leaves `ws` exactly as
// it was.
//
// On success the ideal and nadir points, the normalization factors, the
// basket, regions and edges and the pay-off table are replaced; the pay-off
// table is marked computed, the reference point becomes the ideal point,
// and the history holds one record: the last solution, without a basis (so
// that no program section is reported), with its colour and basket index.
// The current solution becomes that solution too, and what referred to the
// old basket goes: the nadir sources, the alternative bases and the rest of
// the history. Imported polygons have area 0.
ResultsFileResult ParseResultsText(const QByteArray& bytes, Workspace& ws);

// ResultsFileText written to `path` through a temporary file that replaces
// the old one only when everything was written. The workspace is not changed.
ResultsFileResult ExportResults(const Workspace& ws, const QString& path);
// Reads `path` and ParseResultsText. A path that cannot be opened gives
// opened == false; one that is not a regular file (a FIFO, a device) or is
// larger than kMaxResultsFileBytes is refused at once with a message.
ResultsFileResult ImportResults(Workspace& ws, const QString& path);
