#include "problem/ui/ProblemEditorWindow.h"

#include "help/ui/HelpWindow.h"
#include "problem/EditorMessages.h"
#include "flow/ProblemEditor.h"
#include "problem/ui/RandomNumbersDialog.h"
#include "problem/ui/VariableBoundsDialog.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

constexpr int kCellWidth = 84;
constexpr int kCaptionWidth = 96;

} // namespace

// A table whose cell editor can be closed from outside, so that a command
// chosen from the menu while a cell is being typed sees the typed text.
class EditorTable : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

    void finishEditing()
    {
        if (state() != QAbstractItemView::EditingState)
            return;
        if (QWidget* editor = indexWidget(currentIndex())) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }

    int contentWidth(int column) const { return sizeHintForColumn(column); }

protected:
    // Tab and Shift+Tab go through every cell that takes a value, row by
    // row, past the name captions and on to the next row.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override
    {
        if (action != MoveNext && action != MovePrevious)
            return QTableWidget::moveCursor(action, modifiers);
        const int cols = columnCount();
        const int cells = rowCount() * cols;
        const QModelIndex current = currentIndex();
        int at = current.isValid() ? current.row() * cols + current.column() : -1;
        const int step = action == MoveNext ? 1 : -1;
        for (int i = 0; i < cells; ++i) {
            at = (at + step + cells) % cells;
            const QTableWidgetItem* cell = item(at / cols, at % cols);
            if (cell && (cell->flags() & Qt::ItemIsEditable))
                return model()->index(at / cols, at % cols);
        }
        return current;
    }
};

ProblemEditorWindow::ProblemEditorWindow(ProblemEditor& editor, QWidget* parent)
    : QDialog(parent), editor_(editor), table_(new EditorTable(this)), menuBar_(new QMenuBar(this)),
      tableTitle_(new QLabel(this)), idle_(new QLabel(this)), switch_(new QPushButton(this)),
      validate_(new QPushButton(text(editmsg::kValidate), this)), random_(new QPushButton(text(editmsg::kRandom), this)),
      boundsDialog_(new VariableBoundsDialog(this)), randomDialog_(new RandomNumbersDialog(this))
{
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    createMenus();

    QFont titleFont = tableTitle_->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
    tableTitle_->setFont(titleFont);
    for (QPushButton* b : {switch_, validate_, random_}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
    }

    table_->horizontalHeader()->hide();
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setDefaultSectionSize(kCellWidth);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 10);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);
    table_->viewport()->installEventFilter(this);

    idle_->setAlignment(Qt::AlignCenter);
    idle_->setWordWrap(true);

    auto* bar = new QHBoxLayout;
    bar->addWidget(tableTitle_);
    bar->addStretch(1);
    bar->addWidget(switch_);
    bar->addWidget(random_);
    bar->addWidget(validate_);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar_);
    layout->addLayout(bar);
    layout->addWidget(table_, 1);
    layout->addWidget(idle_, 1);

    connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!updating_)
            editor_.typeCell(item->column(), item->row(), item->text());
    });
    connect(table_, &QTableWidget::currentCellChanged, this, [this](int row, int col, int, int) {
        if (updating_ || row < 0 || col < 0)
            return;
        editor_.selectCell(col, row);
        refresh();
    });
    connect(switch_, &QPushButton::clicked, this, [this] { run([this] { editor_.switchTable(); }); });
    connect(validate_, &QPushButton::clicked, this, [this] { run([this] { editor_.validate(); }); });
    connect(random_, &QPushButton::clicked, this, &ProblemEditorWindow::randomFill);

    editor_.setSaveFileChooser([this](const QString& title, const QStringList& filters, const QString& suffix,
                                      const QString& proposedName) {
        return chooseSaveFile(title, filters, suffix, proposedName);
    });

    // Maximized inside the main window: it covers the window it came from.
    if (parent)
        setGeometry(parent->window()->geometry());
    else
        resize(960, 600);
    refresh();
}

ProblemEditorWindow::~ProblemEditorWindow() { editor_.setSaveFileChooser({}); }

QTableWidget* ProblemEditorWindow::table() const { return table_; }

void ProblemEditorWindow::createMenus()
{
    showTables_ = menuBar_->addAction(text(editmsg::kShowTables));
    bounds_ = menuBar_->addAction(text(editmsg::kVariableBounds));
    save_ = menuBar_->addAction(text(editmsg::kSaveAs));
    save_->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    saveText_ = menuBar_->addAction(text(editmsg::kSaveAsText));
    saveVlp_ = menuBar_->addAction(text(editmsg::kSaveAsVlp));
    exit_ = menuBar_->addAction(text(editmsg::kExitEdit));

    QMenu* insert = menuBar_->addMenu(text(editmsg::kInsertMenu));
    insertObjective_ = insert->addAction(text(editmsg::kObjectiveItem));
    insertConstraint_ = insert->addAction(text(editmsg::kConstraintItem));
    insertVariable_ = insert->addAction(text(editmsg::kVariableItem));
    QMenu* remove = menuBar_->addMenu(text(editmsg::kDeleteMenu));
    deleteObjective_ = remove->addAction(text(editmsg::kObjectiveItem));
    deleteConstraint_ = remove->addAction(text(editmsg::kConstraintItem));
    deleteVariable_ = remove->addAction(text(editmsg::kVariableItem));
    QMenu* help = menuBar_->addMenu(text(editmsg::kHelpMenu));
    help_ = help->addAction(text(editmsg::kHelpItem));

    connect(showTables_, &QAction::triggered, this, [this] { run([this] { editor_.showTables(); }); });
    connect(bounds_, &QAction::triggered, this, &ProblemEditorWindow::editBounds);
    connect(save_, &QAction::triggered, this, [this] { run([this] { editor_.saveAs(); }); });
    connect(saveText_, &QAction::triggered, this, [this] { run([this] { editor_.saveAsText(); }); });
    connect(saveVlp_, &QAction::triggered, this, [this] { run([this] { editor_.saveAsVlp(); }); });
    connect(exit_, &QAction::triggered, this, &ProblemEditorWindow::reject);
    connect(insertObjective_, &QAction::triggered, this, [this] { run([this] { editor_.insertObjective(); }); });
    connect(insertConstraint_, &QAction::triggered, this, [this] { run([this] { editor_.insertConstraint(); }); });
    connect(insertVariable_, &QAction::triggered, this, [this] { run([this] { editor_.insertVariable(); }); });
    connect(deleteObjective_, &QAction::triggered, this, [this] { run([this] { editor_.deleteObjective(); }); });
    connect(deleteConstraint_, &QAction::triggered, this, [this] { run([this] { editor_.deleteConstraint(); }); });
    connect(deleteVariable_, &QAction::triggered, this, [this] { run([this] { editor_.deleteVariable(); }); });
    connect(help_, &QAction::triggered, this, &ProblemEditorWindow::showHelp);
}

void ProblemEditorWindow::run(const std::function<void()>& command)
{
    table_->finishEditing();
    command();
    refresh();
}

void ProblemEditorWindow::refresh()
{
    updating_ = true;
    setWindowTitle(editor_.caption());
    const bool files = editor_.fileCommandsEnabled();
    for (QAction* a : {showTables_, save_, saveText_, exit_})
        a->setEnabled(files);
    const EditorView view = editor_.view();
    const bool tables = view != EditorView::None;
    switch_->setText(editor_.switchCaption());
    for (QWidget* w : std::initializer_list<QWidget*>{tableTitle_, switch_, validate_, random_, table_})
        w->setVisible(tables);
    idle_->setVisible(!tables);
    if (tables) {
        tableTitle_->setText(view == EditorView::Objectives ? QStringLiteral("Objective functions")
                                                            : QStringLiteral("Constraints"));
        fillTable();
    } else {
        const ProblemData& pb = editor_.problem();
        idle_->setText(QStringLiteral("<p><b>%1 objective functions, %2 decision variables, %3 constraints</b></p>"
                                      "<p>Choose <i>Obj. functions and Constraints</i> to type the problem, "
                                      "<i>Variable bounds</i> for names and bounds of the variables.</p>")
                           .arg(pb.numObjectives)
                           .arg(pb.numVariables)
                           .arg(pb.numConstraints));
        shownView_ = -1;
    }
    updating_ = false;
}

void ProblemEditorWindow::fillTable()
{
    const int rows = editor_.rowCount();
    const int cols = editor_.columnCount();
    const int n = editor_.problem().numVariables;
    const bool objectives = editor_.view() == EditorView::Objectives;
    const bool reshaped =
        int(editor_.view()) != shownView_ || rows != table_->rowCount() || cols != table_->columnCount();
    table_->setRowCount(rows);
    table_->setColumnCount(cols);
    const QBrush captionBackground = palette().brush(QPalette::Button);
    const QBrush captionText = palette().brush(QPalette::ButtonText);
    const Qt::ItemFlags dataFlags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const bool caption = editor_.isCaptionCell(c, r);
            QTableWidgetItem* item = table_->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                if (caption) {
                    item->setBackground(captionBackground);
                    item->setForeground(captionText);
                    QFont f = item->font();
                    f.setBold(r == 0);
                    item->setFont(f);
                }
                table_->setItem(r, c, item);
            }
            const Qt::ItemFlags flags = caption ? Qt::ItemIsEnabled : dataFlags;
            if (item->flags() != flags)
                item->setFlags(flags);
            // Numbers to the right, signs and types centred, names to the left.
            Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter;
            if (c == 0 && r > 0)
                align = Qt::AlignLeft | Qt::AlignVCenter;
            else if (r == 0 || (c == n + 1))
                align = Qt::AlignCenter;
            if (item->textAlignment() != int(align))
                item->setTextAlignment(align);
            const QString t = editor_.cellText(c, r);
            if (item->text() != t)
                item->setText(t);
        }
    }
    if (reshaped) {
        table_->setColumnWidth(0, std::max(kCaptionWidth, table_->contentWidth(0) + 16));
        for (int c = 1; c < cols; ++c)
            table_->setColumnWidth(c, kCellWidth);
        if (!objectives && cols > n + 1)
            table_->setColumnWidth(n + 1, kCellWidth * 3 / 4);
    }
    shownView_ = int(editor_.view());
    const EditorCell current = editor_.currentCell();
    if (!current.isNone() && (table_->currentRow() != current.row || table_->currentColumn() != current.col))
        table_->setCurrentCell(current.row, current.col);
}

bool ProblemEditorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == table_->viewport()
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QModelIndex index = table_->indexAt(mouse->position().toPoint());
        if (index.isValid() && editor_.isCaptionCell(index.column(), index.row())) {
            // A caption cell is never the cursor's: a click renames.
            if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
                const int col = index.column();
                const int row = index.row();
                run([this, col, row] { editor_.clickCaptionCell(col, row); });
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ProblemEditorWindow::editBounds()
{
    table_->finishEditing();
    boundsDialog_->edit(editor_);
    refresh();
}

void ProblemEditorWindow::randomFill()
{
    table_->finishEditing();
    if (const auto offer = editor_.startRandomFill()) {
        if (randomDialog_->ask(editor_.randomSettings(), *offer))
            editor_.applyRandomFill(randomDialog_->settings());
    }
    refresh();
}

void ProblemEditorWindow::showHelp()
{
    if (!helpWindow_)
        helpWindow_ = new HelpWindow(this);
    helpWindow_->showPage(editor_.helpPage());
    helpWindow_->exec();
}

std::optional<QString> ProblemEditorWindow::chooseSaveFile(const QString& title, const QStringList& filters,
                                                           const QString& suffix, const QString& proposedName)
{
    QFileDialog dialog(this, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(suffix);
    const QFileInfo edited(editor_.pathName());
    if (edited.exists())
        dialog.setDirectory(edited.absolutePath());
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void ProblemEditorWindow::reject()
{
    table_->finishEditing();
    if (editor_.requestClose())
        QDialog::reject();
    else
        refresh();
}
