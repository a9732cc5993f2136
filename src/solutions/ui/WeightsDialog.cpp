#include "solutions/ui/WeightsDialog.h"

#include "solutions/ui/GridFitting.h"

#include <QHeaderView>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>

WeightsDialog::WeightsDialog(QWidget* parent) : GridDialog(1, 0, QString(), QStringLiteral("Cancel"), parent)
{
    SetUpOneRowGrid(grid(), kRowHeight);
    grid()->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
}

QString WeightsDialog::displayHeader(const QString& header)
{
    static const QRegularExpression numbered(QStringLiteral("^([lw])(\\d+)$"));
    const QRegularExpressionMatch m = numbered.match(header);
    if (!m.hasMatch())
        return header;
    const QChar letter = m.captured(1) == QLatin1String("l") ? QChar(0x03BB) : QChar(0x03C9);
    return letter + m.captured(2);
}

std::optional<QStringList> WeightsDialog::edit(const QString& title, const QStringList& headers,
                                               const QStringList& values, const QString& acceptCaption)
{
    setWindowTitle(title);
    acceptButton()->setText(acceptCaption);

    QTableWidget* g = grid();
    g->clear();
    g->setColumnCount(static_cast<int>(headers.size()));
    g->setRowCount(1);
    QStringList shown;
    for (const QString& h : headers)
        shown << displayHeader(h);
    g->setHorizontalHeaderLabels(shown);
    for (int c = 0; c < g->columnCount(); ++c) {
        auto* item = new QTableWidgetItem(c < values.size() ? values[c] : QString());
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        g->setItem(0, c, item);
    }
    FitColumnsToTexts(g, kColumnWidth);
    FitGrid(g);
    g->setCurrentCell(0, 0);
    g->setFocus();

    if (!run())
        return std::nullopt;
    return rowTexts(0, 0, g->columnCount());
}
