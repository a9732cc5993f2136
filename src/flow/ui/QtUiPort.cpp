#include "flow/ui/QtUiPort.h"

#include "flow/ui/WindowKeeper.h"

#include "methods/ui/IcwSelectionDialog.h"
#include "methods/ui/RaceRangesDialog.h"
#include "methods/ui/RelaxationsDialog.h"
#include "nadir/ui/EaParametersDialog.h"
#include "problem/ui/ProblemEditorWindow.h"
#include "solutions/ui/ChooseObjectiveDialog.h"
#include "solutions/ui/LimitationsDialog.h"
#include "solutions/ui/NormalizationDialog.h"
#include "solutions/ui/PayoffWindow.h"
#include "solutions/ui/ReferencePointDialog.h"
#include "solutions/ui/WeightsDialog.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QProgressDialog>
#include <QSettings>

namespace {

QString addSuffixIfMissing(const QString& path, const QString& suffix)
{
    if (path.isEmpty() || suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + suffix;
}

// A command may hold the busy cursor while it asks something: the person
// answering sees the normal cursor over the dialog.
class NormalCursorWhileAsking {
public:
    NormalCursorWhileAsking() : pushed_(QApplication::overrideCursor() != nullptr)
    {
        if (pushed_)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalCursorWhileAsking()
    {
        if (pushed_)
            QApplication::restoreOverrideCursor();
    }
    NormalCursorWhileAsking(const NormalCursorWhileAsking&) = delete;
    NormalCursorWhileAsking& operator=(const NormalCursorWhileAsking&) = delete;

private:
    bool pushed_;
};

const QString kLastFolder = QStringLiteral("lastFolder");

} // namespace

QtUiPort::QtUiPort(QWidget* parent) : parent_(parent)
{
    lastDir_ = OpenSettings()->value(kLastFolder).toString();
    if (!QFileInfo(lastDir_).isDir())
        lastDir_.clear();
}

void QtUiPort::rememberFolder(const QString& chosenPath)
{
    lastDir_ = QFileInfo(chosenPath).absolutePath();
    OpenSettings()->setValue(kLastFolder, lastDir_);
}

QString QtUiPort::proposedSavePath(const QString& defaultSuffix) const
{
    // A file named after the problem, in the folder last used.
    if (!ws_ || ws_->problemName.isEmpty() || defaultSuffix.isEmpty())
        return lastDir_;
    const QString name = ws_->problemName + QLatin1Char('.') + defaultSuffix;
    return lastDir_.isEmpty() ? name : QDir(lastDir_).filePath(name);
}

QtUiPort::~QtUiPort()
{
    // With a parent window the dialogs are its children and go with it.
    if (parent_)
        return;
    delete chooseObjective_;
    delete weights_;
    delete referencePoint_;
    delete limitations_;
    delete normalization_;
    delete payoff_;
}

void QtUiPort::attachStatusBar(QLabel* panel0, QLabel* panel1, QProgressBar* progress)
{
    panels_[0] = panel0;
    panels_[1] = panel1;
    progress_ = progress;
}

void QtUiPort::showMessage(MsgKind kind, const QString& text)
{
    if (dialogs)
        return dialogs->showMessage(kind, text);
    const NormalCursorWhileAsking normalCursor;
    QMessageBox::Icon icon = QMessageBox::Information;
    QString title = QStringLiteral("Information");
    switch (kind) {
    case MsgKind::Information: break;
    case MsgKind::Warning: icon = QMessageBox::Warning; title = QStringLiteral("Warning"); break;
    case MsgKind::Error: icon = QMessageBox::Critical; title = QStringLiteral("Error"); break;
    case MsgKind::Confirmation: icon = QMessageBox::Question; title = QStringLiteral("Confirm"); break;
    }
    const TaskPause pause(*this);
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent_);
    box.exec();
}

Answer QtUiPort::ask(const QString& text, bool withCancel)
{
    if (dialogs)
        return dialogs->ask(text, withCancel);
    const NormalCursorWhileAsking normalCursor;
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    const TaskPause pause(*this);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text, buttons, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return withCancel ? Answer::Cancel : Answer::No;
    }
}

SaveAnswer QtUiPort::askSaveDiscard(const QString& text)
{
    if (dialogs)
        return dialogs->askSaveDiscard(text);
    const NormalCursorWhileAsking normalCursor;
    const TaskPause pause(*this);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Confirm"), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent_);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save: return SaveAnswer::Save;
    case QMessageBox::Discard: return SaveAnswer::Discard;
    default: return SaveAnswer::Cancel;
    }
}

std::optional<QString> QtUiPort::inputText(const QString& title, const QString& prompt, const QString& defaultText)
{
    if (dialogs)
        return dialogs->inputText(title, prompt, defaultText);
    const NormalCursorWhileAsking normalCursor;
    bool ok = false;
    const QString value = QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<QString> QtUiPort::chooseOpenFile(const QString& title, const QStringList& filters,
                                                const QString& defaultSuffix)
{
    if (dialogs)
        return dialogs->chooseOpenFile(title, filters, defaultSuffix);
    const NormalCursorWhileAsking normalCursor;
    const QString path = QFileDialog::getOpenFileName(parent_, title, lastDir_, filters.join(QStringLiteral(";;")));
    if (path.isEmpty())
        return std::nullopt;
    rememberFolder(path);
    return addSuffixIfMissing(path, defaultSuffix);
}

std::optional<QString> QtUiPort::chooseSaveFile(const QString& title, const QStringList& filters,
                                                const QString& defaultSuffix)
{
    if (dialogs)
        return dialogs->chooseSaveFile(title, filters, defaultSuffix);
    const NormalCursorWhileAsking normalCursor;
    // The command asks about overwriting itself, with its own text.
    const QString path = QFileDialog::getSaveFileName(parent_, title, proposedSavePath(defaultSuffix), filters.join(QStringLiteral(";;")),
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return std::nullopt;
    rememberFolder(path);
    return addSuffixIfMissing(path, defaultSuffix);
}

std::optional<Color> QtUiPort::chooseColor(Color initial)
{
    if (dialogs)
        return dialogs->chooseColor(initial);
    const NormalCursorWhileAsking normalCursor;
    const QColor chosen = QColorDialog::getColor(QColor(colorRed(initial), colorGreen(initial), colorBlue(initial)),
                                                 parent_, QStringLiteral("Color"));
    if (!chosen.isValid())
        return std::nullopt;
    return rgbColor(chosen.red(), chosen.green(), chosen.blue());
}

std::optional<ObjectiveChoice> QtUiPort::chooseObjective(const QString& title, const QString& prompt,
                                                         const QStringList& names, bool withValue, int x, int y)
{
    if (dialogPort)
        return dialogPort->chooseObjective(title, prompt, names, withValue, x, y);
    const NormalCursorWhileAsking normalCursor;
    return chooseObjectiveDialog()->choose(title, prompt, names, withValue, x, y);
}

std::optional<QStringList> QtUiPort::editWeights(const QString& title, const QStringList& headers,
                                                 const QStringList& values, const QString& acceptCaption)
{
    if (dialogPort)
        return dialogPort->editWeights(title, headers, values, acceptCaption);
    const NormalCursorWhileAsking normalCursor;
    return weightsDialog()->edit(title, headers, values, acceptCaption);
}

std::optional<QStringList> QtUiPort::editReferencePoint(const QStringList& names, const QStringList& values,
                                                        const std::function<bool(const QStringList&)>& accept)
{
    if (dialogPort)
        return dialogPort->editReferencePoint(names, values, accept);
    const NormalCursorWhileAsking normalCursor;
    return referencePointDialog()->edit(names, values, accept);
}

LimitationsAnswer QtUiPort::editLimitations(LimitationsEditor& editor, bool eConstraints)
{
    if (dialogPort)
        return dialogPort->editLimitations(editor, eConstraints);
    const NormalCursorWhileAsking normalCursor;
    Q_ASSERT(ws_);
    if (!ws_)
        return LimitationsAnswer::Cancel;
    // A refused tab switch reports its conversion error through this port.
    return limitationsDialog()->edit(editor, *ws_, *this, eConstraints);
}

std::optional<bool> QtUiPort::chooseNormalization()
{
    if (dialogPort)
        return dialogPort->chooseNormalization();
    const NormalCursorWhileAsking normalCursor;
    return normalizationDialog()->choose();
}

std::optional<EaParameterTexts> QtUiPort::editEaParameters(const EaParameterTexts& defaults)
{
    if (dialogPort)
        return dialogPort->editEaParameters(defaults);
    const NormalCursorWhileAsking normalCursor;
    if (!eaParameters_)
        eaParameters_ = new EaParametersDialog(parent_);
    return eaParameters_->edit(defaults);
}

void QtUiPort::showPayoffTable()
{
    if (dialogPort)
        return dialogPort->showPayoffTable();
    const NormalCursorWhileAsking normalCursor;
    Q_ASSERT(ws_);
    if (ws_)
        payoffWindow()->showTable(*ws_);
}

void QtUiPort::runProblemEditor(ProblemEditor& editor)
{
    const NormalCursorWhileAsking normalCursor;
    ProblemEditorWindow window(editor, parent_);
    window.exec();
}

ChooseObjectiveDialog* QtUiPort::chooseObjectiveDialog()
{
    if (!chooseObjective_)
        chooseObjective_ = new ChooseObjectiveDialog(parent_);
    return chooseObjective_;
}

WeightsDialog* QtUiPort::weightsDialog()
{
    if (!weights_)
        weights_ = new WeightsDialog(parent_);
    return weights_;
}

ReferencePointDialog* QtUiPort::referencePointDialog()
{
    if (!referencePoint_)
        referencePoint_ = new ReferencePointDialog(parent_);
    return referencePoint_;
}

LimitationsDialog* QtUiPort::limitationsDialog()
{
    if (!limitations_)
        limitations_ = new LimitationsDialog(parent_);
    return limitations_;
}

std::optional<QStringList> QtUiPort::editRelaxations(const QStringList& names, const QStringList& amounts,
                                                     const std::function<bool(const QStringList&)>& accept)
{
    if (dialogPort)
        return dialogPort->editRelaxations(names, amounts, accept);
    const NormalCursorWhileAsking normalCursor;
    if (!relaxations_)
        relaxations_ = new RelaxationsDialog(parent_);
    return relaxations_->PedeRelaxacoes(names, amounts, accept);
}

std::optional<RaceRangeTexts> QtUiPort::editRaceRanges(const QStringList& names, const QStringList& lower,
                                                       const QStringList& upper)
{
    if (dialogPort)
        return dialogPort->editRaceRanges(names, lower, upper);
    const NormalCursorWhileAsking normalCursor;
    if (!raceRanges_)
        raceRanges_ = new RaceRangesDialog(parent_);
    return raceRanges_->PedeRangesFO_ParetoRace(names, lower, upper);
}

std::optional<int> QtUiPort::selectIcwSolution(const QString& heading, const QStringList& choices,
                                              const QStringList& statusTexts)
{
    if (dialogPort)
        return dialogPort->selectIcwSolution(heading, choices, statusTexts);
    const NormalCursorWhileAsking normalCursor;
    if (!icwSelection_)
        icwSelection_ = new IcwSelectionDialog(parent_);
    return icwSelection_->select(heading, choices, statusTexts);
}

NormalizationDialog* QtUiPort::normalizationDialog()
{
    if (!normalization_)
        normalization_ = new NormalizationDialog(parent_);
    return normalization_;
}

PayoffWindow* QtUiPort::payoffWindow()
{
    if (!payoff_) {
        payoff_ = new PayoffWindow(parent_);
        if (manageWindow)
            manageWindow(payoff_, QStringLiteral("payoff"));
    }
    return payoff_;
}

void QtUiPort::setStatusText(int panel, const QString& text)
{
    if ((panel == 0 || panel == 1) && panels_[panel])
        panels_[panel]->setText(text);
}

void QtUiPort::showProgress(int position, int maximum)
{
    if (!progress_)
        return;
    progress_->setMaximum(maximum);
    progress_->setValue(position);
    progress_->show();
}

void QtUiPort::hideProgress()
{
    if (progress_)
        progress_->hide();
}

void QtUiPort::setBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtUiPort::processEvents() { QApplication::processEvents(); }

void QtUiPort::beginStoppableTask(const QString& title, const QString& text)
{
    endStoppableTask();
    task_ = new QProgressDialog(text, QStringLiteral("Cancel"), 0, 0, parent_);
    task_->setWindowTitle(title);
    task_->setWindowModality(Qt::WindowModal);
    // A computation that ends within a second never shows the box.
    task_->setMinimumDuration(1000);
    task_->setAutoReset(false);
    task_->setAutoClose(false);
    taskCursor_ = false;
}

bool QtUiPort::updateStoppableTask(const QString& text)
{
    if (!task_)
        return true;
    if (task_->wasCanceled())
        return false;
    task_->setLabelText(text);
    task_->setValue(0);
    if (!task_->isVisible()) {
        // Until the box is up, nothing but repaints: a click must not start
        // another command while this one is computing.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    }
    if (!taskCursor_) {
        // The box answers the mouse while the rest of the window waits.
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        taskCursor_ = true;
    }
    QApplication::processEvents();
    return !task_->wasCanceled();
}

// A box of the computation (a store message, a question) must not end up
// under the progress box, whose timer would raise it on top of the box's
// buttons: the progress box goes while the box is up and starts again, with
// its full second, afterwards. A Cancel pressed before is kept.
QtUiPort::TaskPause::TaskPause(QtUiPort& port) : port_(port)
{
    if (!port_.task_)
        return;
    paused_ = true;
    title_ = port_.task_->windowTitle();
    text_ = port_.task_->labelText();
    cancelled_ = port_.task_->wasCanceled();
    port_.endStoppableTask();
}

QtUiPort::TaskPause::~TaskPause()
{
    if (!paused_)
        return;
    port_.beginStoppableTask(title_, text_);
    if (cancelled_)
        port_.task_->cancel();
}

void QtUiPort::endStoppableTask()
{
    if (!task_)
        return;
    if (taskCursor_)
        QApplication::restoreOverrideCursor();
    taskCursor_ = false;
    // Called by the computation, never from the box's own signals.
    delete task_;
    task_ = nullptr;
    if (onTaskEnded)
        onTaskEnded();
}

void QtUiPort::pairwiseSolutionsDeleted(int from, int to)
{
    if (onPairwiseDeleted)
        onPairwiseDeleted(from, to);
}

void QtUiPort::notify(UiEvent event)
{
    if (onNotify)
        onNotify(event);
}
