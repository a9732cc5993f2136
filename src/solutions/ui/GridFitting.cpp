#include "solutions/ui/GridFitting.h"

#include <QAbstractItemDelegate>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

#include <algorithm>

void SetUpOneRowGrid(QTableWidget* grid, int rowHeight)
{
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                          QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void FitGrid(QTableWidget* grid, int maxWidth)
{
    const int frame = 2 * grid->frameWidth();
    int columns = 0;
    for (int c = 0; c < grid->columnCount(); ++c)
        columns += grid->columnWidth(c);
    const bool scrolls = columns + frame > maxWidth;
    int height = frame + grid->horizontalHeader()->sizeHint().height();
    for (int r = 0; r < grid->rowCount(); ++r)
        height += grid->rowHeight(r);
    if (scrolls)
        height += grid->horizontalScrollBar()->sizeHint().height();
    grid->setHorizontalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    grid->setFixedSize(std::min(columns + frame, maxWidth), height);
}

void CommitOpenEditor(QTableWidget* grid)
{
    if (QWidget* editor = grid->indexWidget(grid->currentIndex())) {
        QMetaObject::invokeMethod(grid, "commitData", Qt::DirectConnection, Q_ARG(QWidget*, editor));
        QMetaObject::invokeMethod(grid, "closeEditor", Qt::DirectConnection, Q_ARG(QWidget*, editor),
                                  Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
    }
}
