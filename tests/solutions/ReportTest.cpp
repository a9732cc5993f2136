#include "solutions/Report.h"


#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include "GuiApp.h"

#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

namespace {

constexpr Color kBlack = 0;
const Color kComputed = kComputedColor;
const Color kOlder = kOlderComputedColor;

// Two objectives (Profit max, Cost min), three variables, a "<=" and a ">="
// constraint; the last program was the weighted-sum program.
std::unique_ptr<Workspace> ReportWorkspace()
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ws->numObjectives = 2;
    ws->numVariables = 3;
    ws->numConstraints = 2;
    ws->objName[1] = QStringLiteral("Profit");
    ws->objName[2] = QStringLiteral("Cost");
    ws->objSense[1] = 1;
    ws->objSense[2] = -1;
    ws->conType[1] = ConLessEqual;
    ws->conType[2] = ConGreaterEqual;
    RebuildSlackNames(*ws);
    ws->currentLpColumns = 3;
    ws->currentRefRows = 0;
    ws->sumWeights[1] = 0.5L;
    ws->sumWeights[2] = 0.5L;
    return ws;
}

void Push(Workspace& ws, std::initializer_list<Real> f, std::initializer_list<Real> xs,
          std::initializer_list<int> basis)
{
    vectorObj fv{};
    tipoXcorr xv{};
    vectorResEB_Int bv{};
    int i = 1;
    for (Real v : f)
        fv[i++] = v;
    i = 1;
    for (Real v : xs)
        xv[i++] = v;
    i = 1;
    for (int u : basis)
        bv[i++] = u;
    AddHistoryRecord(ws, bv, fv, xv);
}

ReportLine L(const char* text, Color color, bool bold = true) { return ReportLine{QString::fromUtf8(text), bold, color}; }

void ExpectLines(const ReportDocument& doc, const std::vector<ReportLine>& expected)
{
    const std::vector<ReportLine>& lines = doc.lines();
    const std::size_t count = std::min(lines.size(), expected.size());
    for (std::size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(testing::Message() << "line " << i << ": \"" << expected[i].text.toStdString() << "\"");
        EXPECT_EQ(lines[i].text.toStdString(), expected[i].text.toStdString());
        EXPECT_EQ(lines[i].bold, expected[i].bold);
        EXPECT_EQ(lines[i].color, expected[i].color)
            << std::hex << "got " << lines[i].color << ", expected " << expected[i].color;
    }
    EXPECT_EQ(lines.size(), expected.size()) << doc.toPlainText().toStdString();
}

// The lines of record (12, 3.5) with X1 = 4, X2 = 0, X3 = 1e-12, s1 = 0,
// S2 = 2.5, without the program section.
std::vector<ReportLine> RecordLines(const char* heading, Color c)
{
    return {L(heading, c),          L("Objective functions:", c),
            L("Profit= 12", c),     L("Cost= 3.5", c),
            L("Non-zero decision variables & slacks of the MOLP problem:", c),
            L(" X1 = 4", c),        L(" X3 = 1E-12", c),
            L(" S2 = 2.5", c)};
}

void Append(std::vector<ReportLine>& to, const std::vector<ReportLine>& more) { to.insert(to.end(), more.begin(), more.end()); }

TEST(AddHistoryRecord, CopiesTheRecordUpToTheTerminatorAndKeepsElevenAtMost)
{
    auto ws = ReportWorkspace();
    vectorObj f{};
    tipoXcorr xs{};
    vectorResEB_Int basis{};
    f[1] = 1;
    f[2] = 2;
    f[3] = 99; // beyond p
    for (int j = 1; j <= 5; ++j)
        xs[j] = j;
    xs[6] = 66; // beyond n + m
    basis[1] = 2;
    basis[2] = 5;
    basis[3] = 0;
    basis[4] = 7; // after the terminator
    AddHistoryRecord(*ws, basis, f, xs);

    ASSERT_EQ(ws->historyCount, 1);
    const ComputedSolution& rec = ws->history.front();
    EXPECT_EQ(rec.f[1], 1);
    EXPECT_EQ(rec.f[2], 2);
    EXPECT_EQ(rec.f[3], 0);
    EXPECT_EQ(rec.x_s[5], 5);
    EXPECT_EQ(rec.x_s[6], 0);
    EXPECT_EQ(rec.basis[1], 2);
    EXPECT_EQ(rec.basis[2], 5);
    EXPECT_EQ(rec.basis[3], 0);
    EXPECT_EQ(rec.basis[4], 0);
    EXPECT_EQ(rec.cor, kNoColor);
    EXPECT_EQ(rec.basketIndex, 0);

    for (int r = 2; r <= 13; ++r) {
        f[1] = r;
        AddHistoryRecord(*ws, basis, f, xs);
    }
    EXPECT_EQ(ws->historyCount, MaxHistory);
    ASSERT_EQ(ws->history.size(), static_cast<std::size_t>(MaxHistory));
    EXPECT_EQ(ws->history.front().f[1], 13); // newest first
    EXPECT_EQ(ws->history.back().f[1], 3);   // records 1 and 2 dropped
}

TEST(AddHistoryRecord, AFullBasisKeepsItsTerminator)
{
    auto ws = ReportWorkspace();
    vectorResEB_Int basis{};
    for (int i = 1; i <= MaxBasic; ++i)
        basis[i] = i;
    AddHistoryRecord(*ws, basis, vectorObj{}, tipoXcorr{});
    EXPECT_EQ(ws->history.front().basis[MaxBasic], MaxBasic);
    EXPECT_EQ(ws->history.front().basis[MaxBasic + 1], 0);
}

TEST(WriteReport, WeightedSumWithOneRecord)
{
    auto ws = ReportWorkspace();
    Push(*ws, {12, 3.5L}, {4, 0, 1e-12L, 0, 2.5L}, {1, 3, 5, 0});
    const ReportDocument doc = WriteReport(*ws, ReportMode::WeightedSum);

    std::vector<ReportLine> expected = {
        L("Last solution computed", kBlack),
        L("Optimization of the weighted-sum of the objectives with the weights:", kBlack),
        L("(0.5, 0.5)", kBlack),
        L(" ", kBlack),
    };
    Append(expected, RecordLines("Solution values:", kComputed));
    Append(expected, {L("All Basic variables of the scalarizing program:", kComputed),
                      L(" X1 , X3 , S2 , ", kComputed)});
    ExpectLines(doc, expected);

    EXPECT_TRUE(doc.newestNewlyColored);
    EXPECT_EQ(ws->history.front().cor, kComputedColor);
    EXPECT_EQ(ws->lastColor, kComputedColor);
}

TEST(WriteReport, ARecordAlreadyColouredIsNotColouredAgain)
{
    auto ws = ReportWorkspace();
    Push(*ws, {12, 3.5L}, {4}, {1, 0});
    EXPECT_TRUE(WriteReport(*ws, ReportMode::WeightedSum).newestNewlyColored);
    ws->lastColor = hexColor(0x123456);
    const ReportDocument again = WriteReport(*ws, ReportMode::Refresh);
    EXPECT_FALSE(again.newestNewlyColored);
    EXPECT_EQ(ws->lastColor, hexColor(0x123456));

    ws->history.front().cor = ws->basketPalette[5];
    ws->history.front().basketIndex = 4;
    const ReportDocument stored = WriteReport(*ws, ReportMode::Refresh);
    EXPECT_FALSE(stored.newestNewlyColored);
    ASSERT_GE(stored.lines().size(), 3u);
    EXPECT_EQ(stored.lines()[2].text, QStringLiteral("Solution 4:"));
    EXPECT_EQ(stored.lines()[2].color, ws->basketPalette[5]);
}

TEST(WriteReport, ParetoRaceColoursTheNewestByTheRaceObjective)
{
    auto ws = ReportWorkspace();
    ws->activeMethod = MethodKind::ParetoRace;
    ws->raceObjective = 7;
    Push(*ws, {1, 2}, {1}, {1, 0});
    const ReportDocument doc = WriteReport(*ws, ReportMode::WeightedSum);
    EXPECT_TRUE(doc.newestNewlyColored);
    EXPECT_EQ(ws->history.front().cor, ws->raceColors[1]);
    EXPECT_EQ(ws->lastColor, ws->raceColors[1]);

    // No objective chosen yet: the colour of a plain computation.
    ws->raceObjective = 0;
    Push(*ws, {1, 2}, {1}, {1, 0});
    WriteReport(*ws, ReportMode::WeightedSum);
    EXPECT_EQ(ws->history.front().cor, kComputedColor);
}

TEST(WriteReport, TwoRecordsShowTheSeparatorInTheNewestColour)
{
    auto ws = ReportWorkspace();
    Push(*ws, {12, 3.5L}, {4, 0, 1e-12L, 0, 2.5L}, {1, 3, 5, 0});
    WriteReport(*ws, ReportMode::WeightedSum);
    Push(*ws, {12, 3.5L}, {4, 0, 1e-12L, 0, 2.5L}, {1, 4, 0});
    ws->viewLastN = 2;
    const ReportDocument doc = WriteReport(*ws, ReportMode::WeightedSum);

    std::vector<ReportLine> expected = {
        L("Last solution computed", kBlack),
        L("Optimization of the weighted-sum of the objectives with the weights:", kBlack),
        L("(0.5, 0.5)", kBlack),
        L(" ", kBlack),
    };
    Append(expected, RecordLines("Solution values:", kComputed));
    Append(expected, {L("All Basic variables of the scalarizing program:", kComputed),
                      L(" X1 , s1 , ", kComputed),
                      // The newest record's colour lasts until the next heading.
                      L(" ", kComputed), L("-------------------------", kComputed),
                      L("<< Previous solution:", kComputed)});
    // An older record still in the computed colour is shown lighter, and
    // only the newest has the program section.
    Append(expected, RecordLines("Solution values:", kOlder));
    ExpectLines(doc, expected);
}

// Three records, oldest first: A stored as solution 1, B only computed,
// C (newest) stored as solution 2.
std::unique_ptr<Workspace> ThreeRecords()
{
    auto ws = ReportWorkspace();
    (void)ws->appendSolution(SolSolutionBasket{});
    (void)ws->appendSolution(SolSolutionBasket{});
    Push(*ws, {12, 3.5L}, {4, 0, 1e-12L, 0, 2.5L}, {1, 0});
    ws->history.front().cor = ws->basketPalette[1];
    ws->history.front().basketIndex = 1;
    Push(*ws, {12, 3.5L}, {4, 0, 1e-12L, 0, 2.5L}, {1, 0});
    WriteReport(*ws, ReportMode::WeightedSum);
    Push(*ws, {12, 3.5L}, {4, 0, 1e-12L, 0, 2.5L}, {1, 2, 0});
    ws->history.front().cor = ws->basketPalette[2];
    ws->history.front().basketIndex = 2;
    ws->viewLastN = 5;
    return ws;
}

TEST(WriteReport, RefreshShowsEveryRecordWithoutSeparatorOrProgramSection)
{
    auto ws = ThreeRecords();
    const Color a = ws->basketPalette[1];
    const Color c = ws->basketPalette[2];
    const ReportDocument doc = WriteReport(*ws, ReportMode::Refresh);
    EXPECT_FALSE(doc.newestNewlyColored);

    std::vector<ReportLine> expected = {L("Last solution(s) computed", kBlack), L(" ", kBlack)};
    Append(expected, RecordLines("Solution 2:", c));
    expected.push_back(L(" ", c));
    Append(expected, RecordLines("Solution values:", kOlder));
    expected.push_back(L(" ", kOlder));
    Append(expected, RecordLines("Solution 1:", a));
    ExpectLines(doc, expected);
}

TEST(WriteReport, ThreeOfFiveRequestedRecordsAfterAWeightedSum)
{
    auto ws = ThreeRecords();
    const Color a = ws->basketPalette[1];
    const Color c = ws->basketPalette[2];
    const ReportDocument doc = WriteReport(*ws, ReportMode::WeightedSum);

    std::vector<ReportLine> expected = {
        L("Last solution computed", kBlack),
        L("Optimization of the weighted-sum of the objectives with the weights:", kBlack),
        L("(0.5, 0.5)", kBlack),
        L(" ", kBlack),
    };
    Append(expected, RecordLines("Solution 2:", c));
    Append(expected, {L("All Basic variables of the scalarizing program:", c), L(" X1 , X2 , ", c),
                      L(" ", c), L("-------------------------", c), L("<< Previous solutions:", c)});
    Append(expected, RecordLines("Solution values:", kOlder));
    expected.push_back(L(" ", kOlder));
    Append(expected, RecordLines("Solution 1:", a));
    ExpectLines(doc, expected);
}

TEST(WriteReport, OneRecordHasNoPreviousLineWhateverViewLastN)
{
    auto ws = ReportWorkspace();
    ws->viewLastN = 5;
    Push(*ws, {12, 3.5L}, {4}, {1, 0});
    const ReportDocument doc = WriteReport(*ws, ReportMode::WeightedSum);
    for (const ReportLine& line : doc.lines()) {
        EXPECT_FALSE(line.text.contains(QStringLiteral("Previous"))) << line.text.toStdString();
        EXPECT_NE(line.text, QString(25, QLatin1Char('-')));
    }
    EXPECT_EQ(doc.lines().back().text, QStringLiteral(" X1 , "));
}

TEST(WriteReport, LimitationsInForceAreListedAfterTheParameters)
{
    auto ws = ReportWorkspace();
    ws->limitsActive = true;
    ws->limitOn[1] = true;
    ws->limitValue[1] = 10;
    ws->limitOn[2] = true;
    ws->limitValue[2] = 4.25L;
    Push(*ws, {12, 3.5L}, {4, 0, 1e-12L, 0, 2.5L}, {});
    const ReportDocument doc = WriteReport(*ws, ReportMode::WeightedSum);

    std::vector<ReportLine> expected = {
        L("Last solution computed", kBlack),
        L("Optimization of the weighted-sum of the objectives with the weights:", kBlack),
        L("(0.5, 0.5)", kBlack),
        L("Including the following limitations on the objectives:", kBlack),
        L("Profit >= 10", kBlack),
        L("Cost <= 4.25", kBlack),
        L(" ", kBlack),
    };
    // An empty basis: no program section.
    Append(expected, RecordLines("Solution values:", kComputed));
    ExpectLines(doc, expected);

    // Only the objectives with a limitation, and nothing when not in force.
    ws->limitOn[1] = false;
    const ReportDocument one = WriteReport(*ws, ReportMode::Refresh);
    EXPECT_EQ(one.lines()[1].text, QStringLiteral("Including the following limitations on the objectives:"));
    EXPECT_EQ(one.lines()[2].text, QStringLiteral("Cost <= 4.25"));
    EXPECT_EQ(one.lines()[3].text, QStringLiteral(" "));
    ws->limitsActive = false;
    const ReportDocument none = WriteReport(*ws, ReportMode::Refresh);
    EXPECT_EQ(none.lines()[1].text, QStringLiteral(" "));
}

// The reference-point program of ReportWorkspace with both objectives
// weighted and a limitation on Cost: columns X1..X3, MinMax+ (4), MinMax-
// (5); slacks of the two reference-point rows (6, 7), of the constraints
// (8, 9) and of the limitation row (10).
std::unique_ptr<Workspace> ReferencePointWorkspace()
{
    auto ws = ReportWorkspace();
    ws->refPoint[1] = 20;
    ws->refPoint[2] = 1.5L;
    ws->tchebWeights[1] = 0.25L;
    ws->tchebWeights[2] = 0.75L;
    ws->limitsActive = true;
    ws->limitOn[2] = true;
    ws->limitValue[2] = 4;
    ws->currentLpColumns = 5;
    ws->currentRefRows = 2;
    ws->currentLpValues[1] = 4;
    ws->currentLpValues[4] = 2.5L;
    ws->currentLpValues[6] = 0.75L;
    ws->currentLpValues[7] = 0; // basic at zero: named, no value line
    ws->currentLpValues[9] = 2.5L;
    ws->currentLpValues[10] = 1.25L;
    Push(*ws, {12, 3.5L}, {4, 0, 0, 0, 2.5L}, {4, 1, 6, 7, 9, 10, 0});
    ws->history.front().cor = ws->basketPalette[3];
    ws->history.front().basketIndex = 3;
    return ws;
}

TEST(WriteReport, ReferencePointRecordWithMinMaxAndSlacks)
{
    auto ws = ReferencePointWorkspace();
    const Color c = ws->basketPalette[3];
    const ReportDocument doc = WriteReport(*ws, ReportMode::ReferencePoint);
    EXPECT_FALSE(doc.newestNewlyColored);

    ExpectLines(doc, {
        L("Last solution computed", kBlack),
        L("Min of the Tchebycheff distance to the Ref.point q:", kBlack),
        L("q=(20, 1.5)", kBlack),
        L("Considering the w-weighted distance w(q-F(x)) with:", kBlack),
        L("w=(0.25, 0.75)", kBlack),
        L("Including the following limitations on the objectives:", kBlack),
        L("Cost <= 4", kBlack),
        L(" ", kBlack),
        L("Solution 3:", c),
        L("Objective functions:", c),
        L("Profit= 12", c),
        L("Cost= 3.5", c),
        L("Non-zero decision variables & slacks of the MOLP problem:", c),
        L(" X1 = 4", c),
        L(" S2 = 2.5", c),
        L("Other non-zero variables of the scalarizing program:", c),
        L(" MinMax = 2.5 [positive]", c),
        L(" Slack_RefPoint-F1 = 0.75", c),
        L(" Slack_FBound1 = 1.25", c),
        L("All Basic variables of the scalarizing program:", c),
        L(" MinMax , X1 , Slack_RefPoint-F1 , Slack_RefPoint-F2 , S2 , Slack_FBound1 , ", c),
    });
}

TEST(WriteReport, NegativePartOfMinMaxIsShownWithItsSign)
{
    auto ws = ReferencePointWorkspace();
    ws->currentLpValues[5] = 1.5L;
    ws->history.front().basis = vectorResEB_Int{};
    ws->history.front().basis[1] = 5;
    ws->history.front().basis[2] = 8; // slack of constraint 1: no value line
    ws->currentLpValues[8] = 3;
    const ReportDocument doc = WriteReport(*ws, ReportMode::ReferencePoint);
    const auto& lines = doc.lines();
    ASSERT_GE(lines.size(), 4u);
    const std::size_t last = lines.size() - 1;
    EXPECT_EQ(lines[last - 3].text, QStringLiteral("Other non-zero variables of the scalarizing program:"));
    EXPECT_EQ(lines[last - 2].text, QStringLiteral(" MinMax = -1.5 [negative]"));
    EXPECT_EQ(lines[last - 1].text, QStringLiteral("All Basic variables of the scalarizing program:"));
    EXPECT_EQ(lines[last].text, QStringLiteral(" MinMax , s1 , "));
}

TEST(WriteReport, RefreshOfAReferencePointRecordHasNoProgramSection)
{
    auto ws = ReferencePointWorkspace();
    const ReportDocument doc = WriteReport(*ws, ReportMode::Refresh);
    EXPECT_EQ(doc.lines().back().text, QStringLiteral(" S2 = 2.5"));
    EXPECT_EQ(doc.lines()[0].text, QStringLiteral("Last solution(s) computed"));
    EXPECT_EQ(doc.lines()[1].text, QStringLiteral("Including the following limitations on the objectives:"));
}

TEST(WriteReport, ObjectiveNameAndEqualsSignTakeAtMostTwelveCharacters)
{
    auto ws = ReportWorkspace();
    ws->objName[1] = QStringLiteral("ABCDEFGHIJ");
    ws->objName[2] = QStringLiteral("ABCDEFGHIJKLMN");
    Push(*ws, {1, -2.5e-5L}, {}, {});
    const ReportDocument doc = WriteReport(*ws, ReportMode::Refresh);
    EXPECT_EQ(doc.lines()[4].text, QStringLiteral("ABCDEFGHIJ= 1"));
    EXPECT_EQ(doc.lines()[5].text, QStringLiteral("ABCDEFGHIJ= -2.5E-5"));
}

TEST(ReportDocument, PlainTextJoinsTheLines)
{
    auto ws = ReportWorkspace();
    Push(*ws, {12, 3.5L}, {4}, {});
    const ReportDocument doc = WriteReport(*ws, ReportMode::Refresh);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Last solution(s) computed\n \nSolution values:\nObjective functions:\n"
                                                "Profit= 12\nCost= 3.5\n"
                                                "Non-zero decision variables & slacks of the MOLP problem:\n X1 = 4"));
}

TEST(ReportDocument, HtmlKeepsLinesBoldColoursAndSpaces)
{
    ASSERT_NE(GuiApp(), nullptr);
    ReportDocument doc;
    doc.addLine(QStringLiteral("plain <line> & more"), false, kBlack);
    doc.addLine(QStringLiteral("  two leading blanks"), true, kComputedColor);
    doc.addLine(QStringLiteral("<< Previous solution:"), true, hexColor(0x008080));
    doc.addLine(QString(), true, kBlack);
    doc.addLine(QStringLiteral("last"), true, kBlack);
    const QString html = doc.toHtml();
    EXPECT_TRUE(html.contains(QStringLiteral("plain &lt;line&gt; &amp; more")));
    EXPECT_TRUE(html.contains(QStringLiteral("#8484ff")));

    QTextDocument text;
    text.setHtml(html);
    ASSERT_EQ(text.blockCount(), 5);
    QTextBlock block = text.begin();
    EXPECT_EQ(block.text(), QStringLiteral("plain <line> & more"));
    EXPECT_LT(block.begin().fragment().charFormat().fontWeight(), QFont::Bold);
    block = block.next();
    EXPECT_EQ(block.text(), QStringLiteral("  two leading blanks"));
    EXPECT_GE(block.begin().fragment().charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(block.begin().fragment().charFormat().foreground().color(), QColor(0x84, 0x84, 0xFF));
    block = block.next();
    EXPECT_EQ(block.text(), QStringLiteral("<< Previous solution:"));
    EXPECT_EQ(block.begin().fragment().charFormat().foreground().color(), QColor(0x00, 0x80, 0x80));
    block = block.next();
    EXPECT_TRUE(block.text().isEmpty()) << block.text().toStdString();
    EXPECT_EQ(block.next().text(), QStringLiteral("last"));
}

TEST(ReportDocument, HtmlOfAReportGivesOneBlockPerLine)
{
    ASSERT_NE(GuiApp(), nullptr);
    auto ws = ThreeRecords();
    const ReportDocument doc = WriteReport(*ws, ReportMode::WeightedSum);
    QTextDocument text;
    text.setHtml(doc.toHtml());
    ASSERT_EQ(text.blockCount(), static_cast<int>(doc.lines().size()));
    QTextBlock block = text.begin();
    for (const ReportLine& line : doc.lines()) {
        EXPECT_EQ(block.text(), line.text);
        const QTextCharFormat format = block.begin().fragment().charFormat();
        EXPECT_EQ(format.foreground().color(),
                  QColor(int(colorRed(line.color)), int(colorGreen(line.color)), int(colorBlue(line.color))))
            << line.text.toStdString();
        EXPECT_EQ(format.fontWeight(), QFont::Bold) << line.text.toStdString();
        block = block.next();
    }
}

// Braces balance, never close more than opened, and the group that opens
// the file closes it. Escaped characters do not count.
bool RtfBracesBalance(const QByteArray& rtf)
{
    int depth = 0;
    int lastClose = -1;
    for (int i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '\\') {
            ++i;
        } else if (c == '{') {
            if (depth == 0 && i != 0)
                return false;
            ++depth;
        } else if (c == '}') {
            if (--depth < 0)
                return false;
            if (depth == 0)
                lastClose = i;
        }
    }
    return depth == 0 && rtf.mid(lastClose + 1).trimmed().isEmpty();
}

TEST(ReportDocument, RtfEscapesTextAndSwitchesStylesByLine)
{
    ReportDocument doc;
    doc.addLine(QStringLiteral("a{b}c\\d"), false, kBlack);
    doc.addLine(QString::fromUtf8(" Lucro\u00e9 \u20ac \u03a9"), true, hexColor(0xDA0000));
    doc.addLine(QStringLiteral("back"), false, hexColor(0xDA0000));
    const QByteArray rtf = doc.toRtf();

    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi"));
    EXPECT_TRUE(RtfBracesBalance(rtf)) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("{\\fonttbl{\\f0"));
    EXPECT_TRUE(rtf.contains("{\\colortbl ;\\red0\\green0\\blue0;\\red218\\green0\\blue0;}"));
    EXPECT_TRUE(rtf.contains("\\cf1 a\\{b\\}c\\\\d\\par\n"));
    EXPECT_TRUE(rtf.contains("\\cf2\\b  Lucro\\'e9 \\'80 \\u937?\\par\n")) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("\\b0 back\\par\n"));
    // Nothing but ASCII in the file.
    for (const char c : rtf)
        EXPECT_GE(static_cast<unsigned char>(c), 0x0Au);
    for (const char c : rtf)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80u);
}

TEST(ReportDocument, RtfOfAReportHasOneParagraphPerLineAndItsColours)
{
    auto ws = ReferencePointWorkspace();
    const ReportDocument doc = WriteReport(*ws, ReportMode::ReferencePoint);
    const QByteArray rtf = doc.toRtf();
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(RtfBracesBalance(rtf));
    EXPECT_EQ(rtf.count("\\par\n"), static_cast<qsizetype>(doc.lines().size()));
    const Color c = ws->basketPalette[3];
    const QByteArray entry = "\\red" + QByteArray::number(colorRed(c)) + "\\green" +
                             QByteArray::number(colorGreen(c)) + "\\blue" + QByteArray::number(colorBlue(c)) + ";";
    EXPECT_TRUE(rtf.contains("{\\colortbl ;\\red0\\green0\\blue0;" + entry + "}"));
    EXPECT_TRUE(rtf.contains("\\cf2 Solution 3:\\par"));
    EXPECT_EQ(rtf.count("\\b "), 1); // every line is bold
}

TEST(ReportDocument, RtfConvertsToPdfWithLibreOffice)
{
    ASSERT_NE(GuiApp(), nullptr);
    QString office = QStandardPaths::findExecutable(QStringLiteral("libreoffice"));
    if (office.isEmpty())
        office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (office.isEmpty())
        GTEST_SKIP() << "libreoffice is not installed";

    auto ws = ThreeRecords();
    ws->objName[1] = QString::fromUtf8("Lucro\u20ac\u00e9");
    const ReportDocument doc = WriteReport(*ws, ReportMode::WeightedSum);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString rtfPath = dir.filePath(QStringLiteral("report.rtf"));
    QFile file(rtfPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(doc.toRtf());
    file.close();

    QProcess process;
    // A profile of its own, so that a running office does not take the job.
    process.start(office, {QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
                           QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                           QStringLiteral("--outdir"), dir.path(), rtfPath});
    ASSERT_TRUE(process.waitForFinished(240000)) << "libreoffice did not finish";
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const QFileInfo pdf(dir.filePath(QStringLiteral("report.pdf")));
    ASSERT_TRUE(pdf.exists()) << process.readAllStandardOutput().toStdString();
    EXPECT_GT(pdf.size(), 0);

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (!pdftotext.isEmpty()) {
        QProcess extract;
        extract.start(pdftotext, {pdf.filePath(), QStringLiteral("-")});
        ASSERT_TRUE(extract.waitForFinished(60000));
        const QString text = QString::fromUtf8(extract.readAllStandardOutput());
        EXPECT_TRUE(text.contains(QStringLiteral("Last solution computed"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("<< Previous solutions:")));
        EXPECT_TRUE(text.contains(QString::fromUtf8("Lucro\u20ac\u00e9= 12"))) << text.toStdString();
    }
}

} // namespace
