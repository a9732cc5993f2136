#include "solutions/Report.h"

#include "solutions/Payoff.h"
#include "base/TextFileFormat.h"

#include "base/NumberFormat.h"

#include <QStringList>

#include <algorithm>

// ---------------------------------------------------------------------------
// ReportDocument

void ReportDocument::addLine(const QString& text, bool bold, Color color)
{
    lines_.push_back(ReportLine{text, bold, color});
}

QString ReportDocument::toPlainText() const
{
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines_.size()));
    for (const ReportLine& line : lines_)
        texts << line.text;
    return texts.join(QLatin1Char('\n'));
}

namespace {

QString HtmlColor(Color c)
{
    return QStringLiteral("#%1%2%3")
        .arg(colorRed(c), 2, 16, QLatin1Char('0'))
        .arg(colorGreen(c), 2, 16, QLatin1Char('0'))
        .arg(colorBlue(c), 2, 16, QLatin1Char('0'));
}

void AppendRtfText(QByteArray& out, const QString& text)
{
    static const char hex[] = "0123456789abcdef";
    for (const QChar qc : text) {
        const char16_t ch = qc.unicode();
        if (ch == u'\\' || ch == u'{' || ch == u'}') {
            out.append('\\');
            out.append(static_cast<char>(ch));
        } else if (ch == u'\t') {
            out.append("\\tab ");
        } else if (ch == u'\n') {
            out.append("\\line ");
        } else if (ch < 0x20) {
            // Other control characters have no printed form.
            continue;
        } else if (ch < 0x80) {
            out.append(static_cast<char>(ch));
        } else if (const int b = Cp1252ByteOf(ch); b >= 0) {
            out.append("\\'");
            out.append(hex[b >> 4]);
            out.append(hex[b & 0xF]);
        } else {
            // \u takes a signed 16-bit number; each half of a surrogate pair
            // goes on its own. "?" is the fallback for readers without \u.
            out.append("\\u");
            out.append(QByteArray::number(static_cast<int>(static_cast<std::int16_t>(ch))));
            out.append('?');
        }
    }
}

} // namespace

QString ReportDocument::toHtml() const
{
    // No line breaks between the paragraphs: with white-space kept, a break
    // would end up as a blank at the end of the last line.
    QString html = QStringLiteral("<html><body>");
    for (const ReportLine& line : lines_) {
        if (line.text.isEmpty()) {
            // Marked as Qt marks its own empty paragraphs, or the importer
            // would drop the line.
            html += QStringLiteral("<p style=\"margin-top:0px; margin-bottom:0px; -qt-paragraph-type:empty;\">"
                                   "<br /></p>");
            continue;
        }
        html += QStringLiteral("<p style=\"margin-top:0px; margin-bottom:0px; white-space:pre-wrap;\">"
                               "<span style=\"color:%1;%2\">")
                    .arg(HtmlColor(line.color), line.bold ? QStringLiteral(" font-weight:700;") : QString());
        html += line.text.toHtmlEscaped();
        html += QStringLiteral("</span></p>");
    }
    html += QStringLiteral("</body></html>");
    return html;
}

QByteArray ReportDocument::toRtf() const
{
    // Colour table entry 0 is the reader's default; ours start at 1.
    std::vector<Color> colors;
    for (const ReportLine& line : lines_)
        if (std::find(colors.begin(), colors.end(), line.color) == colors.end())
            colors.push_back(line.color);

    QByteArray out;
    out.append("{\\rtf1\\ansi\\ansicpg1252\\deff0\n");
    out.append("{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\n");
    out.append("{\\colortbl ;");
    for (const Color c : colors) {
        out.append("\\red" + QByteArray::number(colorRed(c)) + "\\green" +
                   QByteArray::number(colorGreen(c)) + "\\blue" + QByteArray::number(colorBlue(c)) + ';');
    }
    out.append("}\n");
    out.append("\\viewkind4\\uc1\\pard\\f0\\fs20\\cf0\\b0\n");

    int currentColor = 0;
    bool currentBold = false;
    for (const ReportLine& line : lines_) {
        const int colorIndex =
            1 + static_cast<int>(std::find(colors.begin(), colors.end(), line.color) - colors.begin());
        bool control = false;
        if (colorIndex != currentColor) {
            out.append("\\cf" + QByteArray::number(colorIndex));
            currentColor = colorIndex;
            control = true;
        }
        if (line.bold != currentBold) {
            out.append(line.bold ? "\\b" : "\\b0");
            currentBold = line.bold;
            control = true;
        }
        // The blank ends the control word; a leading blank of the text stays.
        if (control)
            out.append(' ');
        AppendRtfText(out, line.text);
        out.append("\\par\n");
    }
    out.append("}\n");
    return out;
}

// ---------------------------------------------------------------------------
// History

void AddHistoryRecord(Workspace& ws, const vectorResEB_Int& basis, const vectorObj& f,
                      const tipoXcorr& x_s)
{
    ComputedSolution record;
    const int p = std::clamp(ws.numObjectives, 0, MaxObjectives);
    for (int k = 1; k <= p; ++k)
        record.f[k] = f[k];
    const int nm = std::clamp(ws.numVariables + ws.numConstraints, 0, MaxXS);
    for (int j = 1; j <= nm; ++j)
        record.x_s[j] = x_s[j];
    // Up to and including the terminating 0; the last element of the array
    // is a terminator even when all MaxBasic places are used.
    for (int i = 1; i <= MaxBasic; ++i) {
        record.basis[i] = basis[i];
        if (basis[i] == 0)
            break;
    }
    record.cor = kNoColor;
    record.basketIndex = 0;

    ws.pushHistory(record);
    WidenNadirPoint(ws, f);
}

// ---------------------------------------------------------------------------
// WriteReport

namespace {

// An objective's name and "= " take at most 12 characters.
constexpr int kObjectiveLabelWidth = 12;
constexpr Color kBlack = 0;

// Writes lines with the current style, as a rich-text pane does: a style or
// colour setting applies to every line written after it until the next
// setting.
class ReportWriter {
public:
    explicit ReportWriter(ReportDocument& doc) : doc_(doc) {}
    void setBold(bool bold) { bold_ = bold; }
    void setColor(Color color) { color_ = color; }
    void add(const QString& text) { doc_.addLine(text, bold_, color_); }

private:
    ReportDocument& doc_;
    bool bold_ = false;
    Color color_ = kBlack;
};

QString VectorText(const QString& opening, const vectorObj& values, int p)
{
    QStringList parts;
    for (int k = 1; k <= p; ++k)
        parts << NumText(values[k]);
    return opening + parts.join(QStringLiteral(", ")) + QLatin1Char(')');
}

// Column layout of the last scalarizing program: decision variables, the
// MinMax columns, then one slack per row: reference-point rows, problem
// constraints, limitation rows.
struct ProgramLayout {
    int n = 0;
    int m = 0;
    int columns = 0;
    int refRows = 0;

    enum Kind { Decision, MinMax, RefSlack, ConstraintSlack, LimitSlack };
    Kind kind(int u) const
    {
        if (u <= n)
            return Decision;
        if (u <= columns)
            return MinMax;
        const int r = u - columns;
        if (r <= refRows)
            return RefSlack;
        if (r - refRows <= m)
            return ConstraintSlack;
        return LimitSlack;
    }
    // Ordinal of a slack among the rows of its kind.
    int ordinal(int u) const
    {
        const int r = u - columns;
        switch (kind(u)) {
        case RefSlack: return r;
        case ConstraintSlack: return r - refRows;
        case LimitSlack: return r - refRows - m;
        default: return u;
        }
    }
};

ProgramLayout LayoutOf(const Workspace& ws)
{
    ProgramLayout layout;
    layout.n = ws.numVariables;
    layout.m = ws.numConstraints;
    layout.columns = ws.currentLpColumns;
    layout.refRows = ws.currentRefRows;
    return layout;
}

Real LpValue(const Workspace& ws, int u)
{
    return u >= 1 && u <= MaxXS ? ws.currentLpValues[static_cast<std::size_t>(u)] : 0;
}

QString BasicVariableName(const Workspace& ws, const ProgramLayout& layout, int u)
{
    switch (layout.kind(u)) {
    case ProgramLayout::Decision: return ws.vars[static_cast<std::size_t>(u)].name;
    case ProgramLayout::MinMax: return QStringLiteral("MinMax");
    case ProgramLayout::RefSlack: return QStringLiteral("Slack_RefPoint-F%1").arg(layout.ordinal(u));
    case ProgramLayout::ConstraintSlack: {
        const int i = layout.ordinal(u);
        return i >= 1 && i <= MaxConstraints ? ws.slackName[static_cast<std::size_t>(i)] : QString();
    }
    case ProgramLayout::LimitSlack: return QStringLiteral("Slack_FBound%1").arg(layout.ordinal(u));
    }
    return QString();
}

// The newest record's own variables of the scalarizing program: the
// non-zero MinMax parts and reference-point and limitation slacks, then the
// whole basis by name.
void WriteProgramSection(ReportWriter& out, const Workspace& ws, const vectorResEB_Int& basis)
{
    const ProgramLayout layout = LayoutOf(ws);
    bool headed = false;
    for (int i = 1; i <= MaxBasic && basis[i] != 0; ++i) {
        const int u = basis[i];
        const Real v = LpValue(ws, u);
        if (v == 0 || u <= layout.n)
            continue;
        QString line;
        switch (layout.kind(u)) {
        case ProgramLayout::MinMax:
            line = u == layout.n + 1 ? QStringLiteral(" MinMax = ") + NumText(v) + QStringLiteral(" [positive]")
                                     : QStringLiteral(" MinMax = ") + NumText(-v) + QStringLiteral(" [negative]");
            break;
        case ProgramLayout::RefSlack:
            line = QStringLiteral(" Slack_RefPoint-F%1 = ").arg(layout.ordinal(u)) + NumText(v);
            break;
        case ProgramLayout::LimitSlack:
            line = QStringLiteral(" Slack_FBound%1 = ").arg(layout.ordinal(u)) + NumText(v);
            break;
        default:
            // Problem-constraint slacks are already listed with the solution.
            continue;
        }
        if (!headed) {
            out.add(QStringLiteral("Other non-zero variables of the scalarizing program:"));
            headed = true;
        }
        out.add(line);
    }

    out.add(QStringLiteral("All Basic variables of the scalarizing program:"));
    QString names = QStringLiteral(" ");
    for (int i = 1; i <= MaxBasic && basis[i] != 0; ++i)
        names += BasicVariableName(ws, layout, basis[i]) + QStringLiteral(" , ");
    out.add(names);
}

} // namespace

// Style and colour follow the rich-text pane: after the pane is cleared the
// text is black and not bold, then bold is switched on and never off again,
// so every line of the report is bold. A colour setting lasts until the next
// one: the header lines are black, and each record's heading switches to its
// colour, which then also covers the next record's blank line, separator and
// "<< Previous" line, up to that record's own heading.
const char* toString(ReportMode mode)
{
    switch (mode) {
    case ReportMode::WeightedSum: return "WeightedSum";
    case ReportMode::ReferencePoint: return "ReferencePoint";
    case ReportMode::Refresh: return "Refresh";
    }
    return "?";
}

ReportDocument WriteReport(Workspace& ws, ReportMode mode)
{
    ReportDocument doc;
    if (ws.history.empty())
        return doc;

    const int p = std::clamp(ws.numObjectives, 0, MaxObjectives);
    const int n = std::clamp(ws.numVariables, 0, MaxVariables);
    const int m = std::clamp(ws.numConstraints, 0, MaxConstraints);
    const int shown = std::min<int>(ws.viewLastN, ws.historyCount);

    ComputedSolution& newest = ws.history.front();
    if (newest.cor == kNoColor) {
        newest.cor = ws.activeMethod == MethodKind::ParetoRace && ws.raceObjective >= 1
                         ? ws.raceColors[static_cast<std::size_t>(ws.raceObjective % 6)]
                         : kComputedColor;
        ws.lastColor = newest.cor;
        doc.newestNewlyColored = true;
    }

    ReportWriter out(doc);
    out.setBold(true);
    out.add(mode == ReportMode::Refresh ? QStringLiteral("Last solution(s) computed")
                                   : QStringLiteral("Last solution computed"));

    if (mode == ReportMode::ReferencePoint) {
        out.add(QStringLiteral("Min of the Tchebycheff distance to the Ref.point q:"));
        out.add(VectorText(QStringLiteral("q=("), ws.refPoint, p));
        out.add(QStringLiteral("Considering the w-weighted distance w(q-F(x)) with:"));
        out.add(VectorText(QStringLiteral("w=("), ws.tchebWeights, p));
    } else if (mode == ReportMode::WeightedSum) {
        out.add(QStringLiteral("Optimization of the weighted-sum of the objectives with the weights:"));
        out.add(VectorText(QStringLiteral("("), ws.sumWeights, p));
    }

    if (ws.limitsActive) {
        out.add(QStringLiteral("Including the following limitations on the objectives:"));
        for (int k = 1; k <= p; ++k) {
            if (!ws.limitOn[k])
                continue;
            out.add(ws.objName[k] + (ws.objSense[k] == 1 ? QStringLiteral(" >= ") : QStringLiteral(" <= ")) +
                    NumText(ws.limitValue[k]));
        }
    }

    for (int i = 1; i <= shown; ++i) {
        const ComputedSolution& rec = ws.history[static_cast<std::size_t>(i - 1)];
        out.add(QStringLiteral(" "));
        if (i == 2 && mode != ReportMode::Refresh) {
            out.setBold(true);
            out.add(QString(25, QLatin1Char('-')));
            out.add(shown == 2 ? QStringLiteral("<< Previous solution:") : QStringLiteral("<< Previous solutions:"));
        }
        out.setBold(true);
        out.setColor(i > 1 && rec.cor == kComputedColor ? kOlderComputedColor : rec.cor);
        out.add(rec.basketIndex >= 1 ? QStringLiteral("Solution %1:").arg(rec.basketIndex)
                                     : QStringLiteral("Solution values:"));

        out.add(QStringLiteral("Objective functions:"));
        for (int k = 1; k <= p; ++k)
            out.add(ws.objName[k].left(kObjectiveLabelWidth - 2) + QStringLiteral("= ") + NumText(rec.f[k]));

        out.add(QStringLiteral("Non-zero decision variables & slacks of the MOLP problem:"));
        for (int j = 1; j <= n; ++j)
            if (rec.x_s[j] != 0)
                out.add(QStringLiteral(" ") + ws.vars[j].name + QStringLiteral(" = ") + NumText(rec.x_s[j]));
        for (int c = 1; c <= m; ++c)
            if (rec.x_s[n + c] != 0)
                out.add(QStringLiteral(" ") + ws.slackName[c] + QStringLiteral(" = ") + NumText(rec.x_s[n + c]));

        if (i == 1 && rec.basis[1] != 0 && mode != ReportMode::Refresh)
            WriteProgramSection(out, ws, rec.basis);
    }
    return doc;
}
