#include "solutions/ui/BasketValuesWindow.h"

#include "flow/WindowCommands.h"
#include "solutions/ui/SortDialog.h"
#include "base/UiPort.h"
#include "workspace/Workspace.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kLine = 1;          // grid line width
constexpr int kTextIndent = 2;    // left margin of a cell's text
constexpr int kMaxWindowWidth = 900;
constexpr int kMaxWindowHeight = 560;
constexpr int kMinWindowWidth = 260;
constexpr int kMinWindowHeight = 140;

const QColor kCellLine(0xC0, 0xC0, 0xC0);
const QColor kFixedLine(0x80, 0x80, 0x80);

// Three bars of growing length beside a downward arrow.
QIcon sortIcon()
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.drawRect(QRectF(3, 4, 5, 3));
    p.drawRect(QRectF(3, 10.5, 9, 3));
    p.drawRect(QRectF(3, 17, 13, 3));
    p.setBrush(QColor(0x1F, 0x5F, 0xBF));
    p.drawRect(QRectF(18, 3, 2.5, 13));
    QPainterPath head;
    head.moveTo(14.75, 14);
    head.lineTo(23.75, 14);
    head.lineTo(19.25, 21);
    head.closeSubpath();
    p.drawPath(head);
    return QIcon(pixmap);
}

QColor toQColor(Color c)
{
    return QColor(static_cast<int>(colorRed(c)), static_cast<int>(colorGreen(c)), static_cast<int>(colorBlue(c)));
}

} // namespace

// ---------------------------------------------------------------- TextGrid

TextGrid::TextGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSizeAdjustPolicy(QAbstractScrollArea::AdjustIgnored);
    // The cells are drawn in black, so they keep light faces under a dark
    // desktop palette too.
    QPalette light = palette();
    light.setColor(QPalette::Base, Qt::white);
    light.setColor(QPalette::Button, QColor(0xF0, 0xF0, 0xF0));
    light.setColor(QPalette::Light, Qt::white);
    light.setColor(QPalette::Text, Qt::black);
    setPalette(light);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
}

void TextGrid::setDimensions(int columns, int rows)
{
    columns = std::max(columns, 0);
    rows_ = std::max(rows, 0);
    widths_.assign(static_cast<size_t>(columns), defaultWidth_);
    lefts_.clear();
    texts_.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows_), QString());
    updateScrollBars();
    viewport()->update();
}

void TextGrid::setRowHeight(int height)
{
    rowHeight_ = std::max(height, 1);
    updateScrollBars();
    viewport()->update();
}

void TextGrid::setColumnWidth(int column, int width)
{
    if (column < 0 || column >= columnCount())
        return;
    widths_[static_cast<size_t>(column)] = std::max(width, 0);
    lefts_.clear();
    updateScrollBars();
    viewport()->update();
}

QString TextGrid::text(int column, int row) const
{
    if (column < 0 || column >= columnCount() || row < 0 || row >= rows_)
        return QString();
    return texts_[static_cast<size_t>(row) * widths_.size() + static_cast<size_t>(column)];
}

void TextGrid::setText(int column, int row, const QString& text)
{
    if (column < 0 || column >= columnCount() || row < 0 || row >= rows_)
        return;
    texts_[static_cast<size_t>(row) * widths_.size() + static_cast<size_t>(column)] = text;
    viewport()->update();
}

int TextGrid::columnLeft(int column) const
{
    if (lefts_.size() != widths_.size() + 1) {
        lefts_.assign(widths_.size() + 1, 0);
        for (size_t c = 0; c < widths_.size(); ++c)
            lefts_[c + 1] = lefts_[c] + widths_[c] + kLine;
    }
    return lefts_[static_cast<size_t>(std::clamp(column, 0, columnCount()))];
}

QRect TextGrid::cellRect(int column, int row) const
{
    // The scroll bars count whole columns and rows hidden under the fixed
    // column and row.
    const int firstColumn = std::min(1 + horizontalScrollBar()->value(), std::max(1, columnCount()));
    const int x = columnLeft(column) - (column > 0 ? columnLeft(firstColumn) - columnLeft(1) : 0);
    const int y = row * (rowHeight_ + kLine) - (row > 0 ? verticalScrollBar()->value() * (rowHeight_ + kLine) : 0);
    const int width = column >= 0 && column < columnCount() ? widths_[static_cast<size_t>(column)] : 0;
    return QRect(x, y, width, rowHeight_);
}

QSize TextGrid::contentSize() const
{
    return QSize(columnLeft(columnCount()), rows_ * (rowHeight_ + kLine));
}

QSize TextGrid::viewportSizeHint() const { return contentSize(); }

void TextGrid::updateScrollBars()
{
    // Decide on the scroll bars from the room there is without them, so that
    // a bar shown while the grid was small goes away once everything fits.
    const QSize content = contentSize();
    const QSize room = maximumViewportSize();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool needsX = content.width() > room.width();
    bool needsY = content.height() > room.height();
    if (needsX && !needsY)
        needsY = content.height() > room.height() - bar;
    if (needsY && !needsX)
        needsX = content.width() > room.width() - bar;
    const QSize view(room.width() - (needsY ? bar : 0), room.height() - (needsX ? bar : 0));

    // Scrolling goes by whole cells: the largest value is the number of
    // columns (rows) that must be hidden for the last one to show in full.
    const int fixedWidth = columnCount() > 0 ? widths_[0] + kLine : 0;
    const int fixedHeight = rows_ > 0 ? rowHeight_ + kLine : 0;
    int hiddenColumns = 0;
    if (needsX) {
        const int total = columnLeft(columnCount());
        while (1 + hiddenColumns < columnCount() - 1 &&
               total - columnLeft(1 + hiddenColumns) > view.width() - fixedWidth)
            ++hiddenColumns;
    }
    const int shownColumns = std::max(1, columnCount() - 1 - hiddenColumns);
    const int shownRows = std::max(1, (view.height() - fixedHeight) / (rowHeight_ + kLine));
    const int hiddenRows = needsY ? std::max(0, rows_ - 1 - shownRows) : 0;
    horizontalScrollBar()->setRange(0, hiddenColumns);
    horizontalScrollBar()->setPageStep(shownColumns);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setRange(0, hiddenRows);
    verticalScrollBar()->setPageStep(shownRows);
    verticalScrollBar()->setSingleStep(1);
}

void TextGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TextGrid::scrollContentsBy(int, int) { viewport()->update(); }

void TextGrid::paintCell(QPainter& painter, int column, int row)
{
    const QRect rect = cellRect(column, row);
    const bool fixed = column == 0 || row == 0;
    painter.fillRect(rect, fixed ? palette().color(QPalette::Button) : palette().color(QPalette::Base));
    if (fixed) {
        // A raised edge, as on a button face.
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(rect.topLeft(), rect.topRight());
        painter.drawLine(rect.topLeft(), rect.bottomLeft());
    }
    painter.setPen(fixed ? kFixedLine : kCellLine);
    painter.drawLine(rect.right() + 1, rect.top(), rect.right() + 1, rect.bottom() + 1);
    painter.drawLine(rect.left(), rect.bottom() + 1, rect.right() + 1, rect.bottom() + 1);

    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    if (drawCell) {
        drawCell(painter, rect, column, row);
    } else {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(rect.adjusted(kTextIndent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text(column, row));
    }
    painter.restore();
}

void TextGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int columns = columnCount();
    if (columns == 0 || rows_ == 0)
        return;
    const QSize view = viewport()->size();
    const int fixedWidth = widths_[0] + kLine;
    const int fixedHeight = rowHeight_ + kLine;
    const int firstRow = 1 + verticalScrollBar()->value();

    const auto visibleRows = [&](auto paint) {
        for (int r = firstRow; r < rows_; ++r) {
            if (cellRect(0, r).top() >= view.height())
                break;
            paint(r);
        }
    };
    const auto visibleColumns = [&](auto paint) {
        for (int c = 1; c < columns; ++c) {
            const QRect rect = cellRect(c, 0);
            if (rect.left() >= view.width())
                break;
            if (rect.right() + kLine >= fixedWidth)
                paint(c);
        }
    };

    // The scrolling cells, then the fixed row and column over them.
    painter.save();
    painter.setClipRect(QRect(fixedWidth, fixedHeight, view.width(), view.height()));
    visibleRows([&](int r) { visibleColumns([&](int c) { paintCell(painter, c, r); }); });
    painter.restore();

    painter.save();
    painter.setClipRect(QRect(fixedWidth, 0, view.width(), fixedHeight));
    visibleColumns([&](int c) { paintCell(painter, c, 0); });
    painter.restore();

    painter.save();
    painter.setClipRect(QRect(0, fixedHeight, fixedWidth, view.height()));
    visibleRows([&](int r) { paintCell(painter, 0, r); });
    painter.restore();

    paintCell(painter, 0, 0);
}

// ------------------------------------------------------ BasketValuesWindow

BasketValuesWindow::BasketValuesWindow(Workspace& ws, UiPort& ui, QWidget* parent)
    : QWidget(parent, Qt::Window), ws_(ws), ui_(ui), grid_(new TextGrid(this)), save_(new QToolButton(this)),
      sort_(new QToolButton(this)), sortDialog_(new SortDialog(ws, this))
{
    setWindowTitle(QStringLiteral("Solution values"));

    save_->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    save_->setToolTip(QStringLiteral("Save as a text file"));
    save_->setObjectName(QStringLiteral("saveButton"));
    sort_->setIcon(sortIcon());
    sort_->setToolTip(QStringLiteral("Sort"));
    sort_->setObjectName(QStringLiteral("sortButton"));
    for (QToolButton* button : {save_, sort_}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setIconSize(QSize(24, 24));
        button->setAutoRaise(true);
    }
    connect(save_, &QToolButton::clicked, this, &BasketValuesWindow::saveAsText);
    connect(sort_, &QToolButton::clicked, this, &BasketValuesWindow::sortRows);

    grid_->setDefaultColumnWidth(kBasketDefaultColumnWidth);
    grid_->setRowHeight(kBasketRowHeight);
    grid_->drawCell = [this](QPainter& painter, const QRect& rect, int column, int row) {
        drawCell(painter, rect, column, row);
    };

    auto* tools = new QHBoxLayout;
    tools->setContentsMargins(0, 0, 0, 0);
    tools->setSpacing(2);
    tools->addWidget(save_);
    tools->addWidget(sort_);
    tools->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(tools);
    layout->addWidget(grid_, 1);

    fill();
    resize(fittingSize());
}

bool BasketValuesWindow::isBold(int column, int row) const
{
    return row == 0 || column == 0 ||
           (column < table_.columnCount && table_.kind(column) == BasketColumnKind::Objective);
}

QFont BasketValuesWindow::cellFont(int column, int row) const
{
    QFont font = grid_->font();
    font.setBold(isBold(column, row));
    return font;
}

void BasketValuesWindow::fill()
{
    table_ = MakeBasketTable(ws_);
    grid_->setDimensions(table_.columnCount, table_.rowCount);
    QFont boldFont = grid_->font();
    boldFont.setBold(true);
    const QFontMetrics plain(grid_->font());
    const QFontMetrics bold(boldFont);
    std::vector<int> widths(static_cast<size_t>(table_.columnCount), grid_->defaultColumnWidth());
    for (int r = 0; r < table_.rowCount; ++r) {
        for (int c = 0; c < table_.columnCount; ++c) {
            const QString& text = table_.text(r, c);
            grid_->setText(c, r, text);
            const int textWidth = (isBold(c, r) ? bold : plain).horizontalAdvance(text);
            int& width = widths[static_cast<size_t>(c)];
            width = WidenBasketColumn(width, textWidth, table_.kind(c));
        }
    }
    for (int c = 0; c < table_.columnCount; ++c)
        grid_->setColumnWidth(c, widths[static_cast<size_t>(c)]);
}

void BasketValuesWindow::mostraValores()
{
    const bool wasVisible = isVisible();
    fill();
    if (!wasVisible)
        resize(fittingSize());
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
}

QSize BasketValuesWindow::fittingSize() const
{
    const QSize content = grid_->contentSize();
    const int frame = 2 * grid_->frameWidth();
    const QMargins margins = layout()->contentsMargins();
    const int tools = std::max(save_->sizeHint().height(), sort_->sizeHint().height()) + layout()->spacing();
    int maxWidth = kMaxWindowWidth;
    int maxHeight = kMaxWindowHeight;
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        maxWidth = std::min(maxWidth, screen->availableGeometry().width() - 40);
        maxHeight = std::min(maxHeight, screen->availableGeometry().height() - 80);
    }
    int width = content.width() + frame + margins.left() + margins.right();
    int height = content.height() + frame + margins.top() + margins.bottom() + tools;
    // A scroll bar in one direction takes room from the other.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid_);
    const bool scrollsX = width > maxWidth;
    const bool scrollsY = height > maxHeight;
    if (scrollsX)
        height += bar;
    if (scrollsY)
        width += bar;
    return QSize(std::clamp(width, kMinWindowWidth, std::max(kMinWindowWidth, maxWidth)),
                 std::clamp(height, kMinWindowHeight, std::max(kMinWindowHeight, maxHeight)));
}

void BasketValuesWindow::drawCell(QPainter& painter, const QRect& rect, int column, int row)
{
    const QString text = grid_->text(column, row);
    QColor colour(Qt::black);
    if (column == 0 && row > 0) {
        const int s = BasketIndexFromText(text);
        if (s > 0 && s <= ws_.basketCount) {
            // The solution's colour as the label's face, its number in
            // black or white, whichever reads: yellow or pale pink text
            // on a light face cannot be read.
            const Color cor = ws_.basket[static_cast<size_t>(s)].cor;
            painter.fillRect(rect.adjusted(1, 1, 0, 0), toQColor(cor));
            colour = toQColor(TextColorOn(cor));
        }
    }
    painter.setFont(cellFont(column, row));
    painter.setPen(colour);
    painter.drawText(rect.adjusted(kTextIndent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
}

void BasketValuesWindow::saveAsText() { SaveBasketTable(ws_, ui_); }

void BasketValuesWindow::sortRows()
{
    if (sortDialog_->sortBasket(ws_, BasketSortView::Values))
        mostraValores();
}
