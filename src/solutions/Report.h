#pragma once

#include "base/Colors.h"
#include "workspace/Workspace.h"

#include <QByteArray>
#include <QString>

#include <vector>

// One line of the results report.
struct ReportLine {
    QString text;
    bool bold = false;
    Color color = 0; // black
};

// The results report as written by WriteReport: lines with their style,
// ready for the rich-text pane, a plain-text copy or a rich text file.
class ReportDocument {
public:
    void addLine(const QString& text, bool bold, Color color);
    const std::vector<ReportLine>& lines() const { return lines_; }
    bool isEmpty() const { return lines_.empty(); }

    // Where a reader should be taken: the first line added since the report
    // was last shown, 0 for a report written anew, -1 when nothing was added.
    int firstUnseenLine() const { return seen_ < lines_.size() ? static_cast<int>(seen_) : -1; }
    void markSeen() { seen_ = lines_.size(); }

    // The lines joined with "\n".
    QString toPlainText() const;
    // One paragraph per line, bold and colour kept, spaces preserved.
    QString toHtml() const;
    // A complete RTF file: Windows-1252 text, a colour table of the colours
    // used, one \par per line.
    QByteArray toRtf() const;

    // WriteReport gave the newest history record its colour this time; the
    // basket chart then shows it as an unsaved solution.
    bool newestNewlyColored = false;

private:
    std::vector<ReportLine> lines_;
    std::size_t seen_ = 0;
};

// What the report is written after: a weighted sum (also an e-constraint
// and a method's steps), a reference point, or a refresh without parameters
// and without a program section.
enum class ReportMode { WeightedSum, ReferencePoint, Refresh };

const char* toString(ReportMode mode);

// Pushes a new newest record into the computed-solution history (at most
// MaxHistory records; the oldest goes). Copies f[1..p], x_s[1..n+m] and the
// basis up to and including its terminating 0; the colour is white (none
// chosen yet) and the record is not in the basket.
void AddHistoryRecord(Workspace& ws, const vectorResEB_Int& basis, const vectorObj& f,
                      const tipoXcorr& x_s);

// Builds the report of the newest min(viewLastN, historyCount) records. The
// history must not be empty. Colours the newest record when it has no colour
// yet (and sets ws.lastColor). The caller then redraws the bar picture, thick
// unless mode is ReportMode::Refresh.
ReportDocument WriteReport(Workspace& ws, ReportMode mode);
