#include "solutions/ui/GridFitting.h"

#include <QAbstractItemDelegate>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLayout>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>

#include <algorithm>

namespace {

// What a dialog adds around its grid: its frame and layout margins.
constexpr int kDialogChrome = 60;
constexpr int kMinGridWidth = 200;
constexpr int kFallbackScreenWidth = 1024;
// A title bar's icon, its buttons and the gaps around the title.
constexpr int kTitleBarChrome = 150;

} // namespace

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

void FitColumnsToTexts(QTableWidget* grid, int minWidth)
{
    for (int c = 0; c < grid->columnCount(); ++c) {
        grid->resizeColumnToContents(c);
        if (grid->columnWidth(c) < minWidth)
            grid->setColumnWidth(c, minWidth);
    }
}

int ScreenGridWidth(const QWidget* grid)
{
    const QScreen* screen = grid->screen() ? grid->screen() : QGuiApplication::primaryScreen();
    const int available = screen ? screen->availableGeometry().width() : kFallbackScreenWidth;
    return std::max(kMinGridWidth, available - kDialogChrome);
}

void FitGrid(QTableWidget* grid)
{
    const int maxWidth = ScreenGridWidth(grid);
    const int frame = 2 * grid->frameWidth();
    int columns = 0;
    for (int c = 0; c < grid->columnCount(); ++c)
        columns += grid->columnWidth(c);
    const bool scrolls = columns + frame > maxWidth;
    int height = frame + (grid->horizontalHeader()->isHidden() ? 0 : grid->horizontalHeader()->sizeHint().height());
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

int TitleBarWidth(const QString& title)
{
    QFont font = QGuiApplication::font();
    font.setBold(true);
    // Title fonts run a little larger than the dialogs' own.
    return QFontMetrics(font).horizontalAdvance(title) * 11 / 10 + kTitleBarChrome;
}

void FitTitle(QWidget* dialog)
{
    const int needed = TitleBarWidth(dialog->windowTitle());
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    if (!buttons || !dialog->layout()) {
        dialog->setMinimumWidth(needed);
        return;
    }
    const QMargins margins = dialog->layout()->contentsMargins();
    buttons->setMinimumWidth(std::max(0, needed - margins.left() - margins.right()));
}
