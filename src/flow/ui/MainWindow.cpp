#include "flow/ui/MainWindow.h"

#include "help/ui/AboutBox.h"
#include "help/ui/HelpWindow.h"
#include "methods/ui/RacePanel.h"
#include "solutions/ui/BasketGraphsWindow.h"
#include "solutions/ui/BasketLineChartWindow.h"
#include "solutions/ui/BasketValuesWindow.h"
#include "weightspace/ui/ContractedConeWindow.h"
#include "weightspace/ui/WeightSpaceWindow.h"
#include "solutions/ui/StoreOptionsDialog.h"
#include "solutions/BarPicture.h"
#include "flow/Messages.h"
#include "nadir/Vma.h"
#include "workspace/Workspace.h"
#include "solutions/ui/BarPictureWidget.h"
#include "flow/ui/SizesDialog.h"
#include "flow/ui/WindowKeeper.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kTabBarHeight = 65;

QString caption(Cmd cmd) { return QString::fromUtf8(commandInfo(cmd).caption); }

// Small drawn icons, so that every button of the two panels has one.
QIcon drawnIcon(Cmd cmd)
{
    constexpr int kSize = 24;
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 60, 120);
    p.setPen(QPen(ink, 2));
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(18);
    p.setFont(font);
    switch (cmd) {
    case Cmd::BtnWeightedSum: p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("\u03A3")); break;
    case Cmd::BtnEConstraint: p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("\u03B5")); break;
    case Cmd::BtnLimitations: p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("\u2265")); break;
    case Cmd::BtnRefPoint:
        p.drawEllipse(QPointF(12, 12), 9, 9);
        p.drawEllipse(QPointF(12, 12), 4, 4);
        p.drawPoint(QPointF(12, 12));
        break;
    case Cmd::BtnBasketGraphs:
        p.fillRect(QRectF(3, 12, 5, 9), QColor(0, 128, 128));
        p.fillRect(QRectF(10, 5, 5, 16), QColor(128, 0, 0));
        p.fillRect(QRectF(17, 9, 5, 12), QColor(218, 165, 32));
        break;
    case Cmd::BtnWeightSpace: {
        const QPointF triangle[3] = {{3, 21}, {21, 21}, {3, 3}};
        p.setBrush(QColor(173, 216, 230));
        p.drawPolygon(triangle, 3);
        break;
    }
    case Cmd::BtnColour:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(218, 0, 0));
        p.drawEllipse(QPointF(8, 9), 5, 5);
        p.setBrush(QColor(0, 128, 0));
        p.drawEllipse(QPointF(16, 9), 5, 5);
        p.setBrush(QColor(0, 0, 255));
        p.drawEllipse(QPointF(12, 16), 5, 5);
        break;
    default: return {};
    }
    return QIcon(pixmap);
}

QIcon buttonIcon(QStyle* style, Cmd cmd)
{
    switch (cmd) {
    case Cmd::BtnSaveText: return style->standardIcon(QStyle::SP_DialogSaveButton);
    case Cmd::BtnDelete: return style->standardIcon(QStyle::SP_TrashIcon);
    case Cmd::BtnStore: return style->standardIcon(QStyle::SP_DialogApplyButton);
    case Cmd::BtnPrint: return style->standardIcon(QStyle::SP_FileDialogDetailedView);
    case Cmd::BtnCopy: return style->standardIcon(QStyle::SP_FileDialogContentsView);
    case Cmd::BtnBasketValues: return style->standardIcon(QStyle::SP_FileDialogListView);
    default: return drawnIcon(cmd);
    }
}

} // namespace

MainWindow::MainWindow(Workspace& ws, QWidget* parent)
    : QMainWindow(parent), ui_(this), flow_(ws, ui_, ui_), ws_(ws)
{
    setWindowTitle(QString::fromUtf8(msg::kProductName));
    ui_.onNotify = [this](UiEvent event) { onNotify(event); };
    viewsTimer_ = new QTimer(this);
    viewsTimer_->setSingleShot(true);
    viewsTimer_->setInterval(1000);
    connect(viewsTimer_, &QTimer::timeout, this, &MainWindow::redrawDeferredViews);
    ui_.onTaskEnded = [this] { redrawDeferredViews(); };
    ui_.setWorkspace(&ws_);
    createStatusBar();
    createPanels();
    createActions();
    connectCommands();

    sizesDialog_ = new SizesDialog(
        [this](const QString& p, const QString& n, const QString& m) { return flow_.file().acceptSizes(p, n, m); }, this);
    helpWindow_ = new HelpWindow(this);
    storeOptions_ = new StoreOptionsDialog(this);
    // The basket views are separate windows that stay open beside this one.
    basketValues_ = new BasketValuesWindow(ws_, ui_, this);
    basketValues_->setWindowFlag(Qt::Window);
    basketLineChart_ = new BasketLineChartWindow(ws_, this);
    basketLineChart_->setWindowFlag(Qt::Window);
    basketGraphs_ = new BasketGraphsWindow(ws_, ui_, this);
    basketGraphs_->setWindowFlag(Qt::Window);
    basketGraphs_->setLineChartWindow(basketLineChart_);
    // A window of its own rather than a child window: hiding it while it
    // has the focus must not leave this window looking active without keys.
    weightSpace_ = new WeightSpaceWindow(ws_, flow_, ui_);
    connect(this, &QObject::destroyed, weightSpace_, [w = weightSpace_] { delete w; });
    ui_.onPairwiseDeleted = [this](int from, int to) { weightSpace_->solutionsDeleted(from, to); };
    contractedCone_ = new ContractedConeWindow(ws_, flow_);
    connect(this, &QObject::destroyed, contractedCone_, [w = contractedCone_] { delete w; });
    aboutBox_ = new AboutBox(this);

    // Every view opens on the screen, beside this window the first time
    // and where the person left it after that.
    keeper_ = new WindowKeeper(this);
    keeper_->manage(basketValues_, QStringLiteral("basketValues"));
    keeper_->manage(basketGraphs_, QStringLiteral("basketGraphs"));
    keeper_->manage(basketLineChart_, QStringLiteral("lineChart"));
    keeper_->manage(weightSpace_, QStringLiteral("weightSpace"), WindowKeeper::Remember::PlaceOnly);
    keeper_->manage(helpWindow_, QStringLiteral("help"));
    ui_.manageWindow = [this](QWidget* window, const QString& key) { keeper_->manage(window, key); };

    setMinimumSize(640, 420);
    keeper_->placeMainWindow(QSize(1000, 680));
    flow_.startUp(QDir::currentPath());
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::createAction(Cmd cmd)
{
    const CommandInfo& info = commandInfo(cmd);
    auto* action = new QAction(caption(cmd), this);
    if (info.shortcut[0] != '\0')
        action->setShortcut(QKeySequence(QString::fromLatin1(info.shortcut)));
    if (info.hint[0] != '\0')
        action->setToolTip(QString::fromUtf8(info.hint));
    action->setCheckable(info.checkable);
    if (info.hint[0] != '\0')
        action->setIcon(buttonIcon(style(), cmd));
    actions_[static_cast<int>(cmd)] = action;
    return action;
}

QMenu* MainWindow::createMenu(const MenuEntry& entry)
{
    auto* menu = new QMenu(caption(entry.cmd), this);
    actions_[static_cast<int>(entry.cmd)] = menu->menuAction();
    menu->menuAction()->setCheckable(commandInfo(entry.cmd).checkable);
    for (const MenuEntry& child : entry.children) {
        if (child.cmd == Cmd::Separator)
            menu->addSeparator();
        else if (!child.children.empty())
            menu->addMenu(createMenu(child));
        else
            menu->addAction(createAction(child.cmd));
    }
    return menu;
}

void MainWindow::createActions()
{
    for (const MenuEntry& top : mainMenuLayout())
        menuBar()->addMenu(createMenu(top));
    // Exit also answers the platform's quit keys.
    action(Cmd::Exit)->setShortcuts(QKeySequence::Quit);
}

QWidget* MainWindow::createButtonPanel(const std::vector<Cmd>& buttons)
{
    auto* panel = new QWidget;
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 2, 4, 2);
    for (Cmd cmd : buttons) {
        if (cmd == Cmd::ViewLastN) {
            row->addSpacing(16);
            row->addWidget(createViewLastN());
            continue;
        }
        QAction* act = createAction(cmd);
        auto* button = new QToolButton(panel);
        button->setDefaultAction(act);
        button->setToolButtonStyle(act->icon().isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setIconSize(QSize(24, 24));
        button->setMinimumWidth(64);
        row->addWidget(button);
    }
    row->addStretch();
    return panel;
}

QWidget* MainWindow::createViewLastN()
{
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* before = new QLabel(caption(Cmd::ViewLastN), box);
    viewLastN_ = new QSpinBox(box);
    viewLastN_->setRange(1, MaxHistory);
    viewLastN_->setToolTip(QStringLiteral("Show bars for the last # solutions"));
    auto* after = new QLabel(QStringLiteral("Solutions"), box);
    after->setToolTip(QStringLiteral("Show Information about the last # solutions"));
    before->setBuddy(viewLastN_);
    row->addWidget(before);
    row->addWidget(viewLastN_);
    row->addWidget(after);
    // The spin box carries the enabling state of the control.
    actions_[static_cast<int>(Cmd::ViewLastN)] = new QAction(this);
    connect(viewLastN_, qOverload<int>(&QSpinBox::valueChanged), this, [this](int value) {
        if (!updatingUi_)
            flow_.basket().setViewLastNText(QString::number(value));
    });
    return box;
}

RacePanel* MainWindow::createRacePanel()
{
    auto* panel = new RacePanel;
    connect(panel, &RacePanel::goPressed, this, [this] { flow_.methods().raceGoCommand(); });
    connect(panel, &RacePanel::reversePressed, this, [this] { flow_.methods().raceReverse(); });
    connect(panel, &RacePanel::speedChanged, this, [this](int position) { flow_.methods().raceSpeed(position); });
    connect(panel, &RacePanel::changeDirectionPressed, this, [this] { flow_.methods().raceChangeDirectionCommand(); });
    return panel;
}

void MainWindow::showRaceState()
{
    if (const ParetoRace* race = flow_.methods().race())
        racePanel_->showState(race->forward(), race->speedPosition());
}

void MainWindow::createPanels()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    tabs_ = new QTabWidget(central);
    tabs_->addTab(createButtonPanel(searchPanelButtons()), QStringLiteral("SEARCH options"));
    tabs_->addTab(createButtonPanel(viewPanelButtons()), QStringLiteral("VIEW options"));
    tabs_->setFixedHeight(kTabBarHeight + tabs_->tabBar()->sizeHint().height());
    layout->addWidget(tabs_);

    // What to do next, while the panes are hidden.
    welcome_ = new QLabel(central);
    welcome_->setAlignment(Qt::AlignCenter);
    welcome_->setWordWrap(true);
    welcome_->setTextFormat(Qt::RichText);
    layout->addWidget(welcome_, 1);

    auto* body = new QHBoxLayout;
    splitter_ = new QSplitter(Qt::Horizontal, central);
    barsArea_ = new QScrollArea(splitter_);
    bars_ = new BarPictureWidget;
    barsArea_->setWidget(bars_);
    barsArea_->setWidgetResizable(false);
    barsArea_->setBackgroundRole(QPalette::Base);
    QPalette white = barsArea_->palette();
    white.setColor(QPalette::Base, Qt::white);
    barsArea_->setPalette(white);
    barsArea_->viewport()->installEventFilter(this);
    report_ = new QTextEdit(splitter_);
    report_->setReadOnly(true);
    // The report's colours are chosen for a white page, whatever the
    // system's palette.
    QPalette page = report_->palette();
    page.setColor(QPalette::Base, Qt::white);
    page.setColor(QPalette::Text, Qt::black);
    report_->setPalette(page);
    report_->setLineWrapMode(QTextEdit::WidgetWidth);
    splitter_->addWidget(barsArea_);
    splitter_->addWidget(report_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 1);
    splitter_->setChildrenCollapsible(false);
    body->addWidget(splitter_, 1);
    racePanel_ = createRacePanel();
    body->insertWidget(0, racePanel_);
    layout->addLayout(body, 1);
    setCentralWidget(central);
}

void MainWindow::createStatusBar()
{
    panels_[0] = new QLabel(this);
    panels_[1] = new QLabel(this);
    panels_[1]->setMinimumWidth(180);
    progress_ = new QProgressBar(this);
    progress_->setMaximumWidth(200);
    progress_->hide();
    statusBar()->addWidget(panels_[0], 1);
    statusBar()->addPermanentWidget(progress_);
    statusBar()->addPermanentWidget(panels_[1]);
    ui_.attachStatusBar(panels_[0], panels_[1], progress_);
}

void MainWindow::connectCommands()
{
    auto on = [this](Cmd cmd, auto slot) { connect(action(cmd), &QAction::triggered, this, slot); };
    on(Cmd::New, [this] { newProblem(); });
    on(Cmd::Open, [this] { flow_.file().openProblem(); });
    on(Cmd::OpenMps, [this] { flow_.file().openMpsProblem(); });
    on(Cmd::OpenVlp, [this] { flow_.file().openVlpProblem(); });
    on(Cmd::SaveVlp, [this] { flow_.file().saveVlpProblem(); });
    on(Cmd::Edit, [this] { flow_.file().editProblem(); });
    on(Cmd::Exit, [this] { close(); });
    on(Cmd::HelpContents, [this] { showHelp(); });
    on(Cmd::About, [this] { showAbout(); });
    on(Cmd::AskTolerance, [this] { flow_.basket().toggleAskTolerance(); });
    on(Cmd::ImportSolutions, [this] { flow_.file().importResultsCommand(); });
    on(Cmd::ExportData, [this] { flow_.file().exportResultsCommand(); });
    on(Cmd::BtnColour, [this] { flow_.basket().chooseColour(); });
    on(Cmd::BtnPrint, [this] { printReport(); });
    on(Cmd::BtnCopy, [this] { report_->copy(); });
    on(Cmd::BtnSaveText, [this] { flow_.file().saveReport(); });
    for (Cmd store : {Cmd::StoreCurrent, Cmd::BtnStore})
        on(store, [this] { flow_.basket().storeCurrentSolution(); });
    for (Cmd remove : {Cmd::DeleteSolution, Cmd::BtnDelete})
        on(remove, [this] { flow_.basket().deleteSolutions(); });
    on(Cmd::StoreOptions, [this] { flow_.basket().setStoreAllSolutions(storeOptions_->choose(ws_.guardaTodasSols)); });
    on(Cmd::VMA, [this] { flow_.nadir().vmaCommand(kVmaMaxBases); });
    on(Cmd::NadirMethod1, [this] { flow_.nadir().nadirCommand(NadirMethod::One); });
    on(Cmd::NadirMethod2, [this] { flow_.nadir().nadirCommand(NadirMethod::Two); });
    on(Cmd::EstimateNadirEA, [this] { flow_.nadir().eaNadirCommand(); });
    on(Cmd::EstimateNadirEARuns, [this] { flow_.nadir().eaRunsCommand(); });
    on(Cmd::WorstFeasible, [this] { flow_.nadir().worstFeasibleCommand(); });
    on(Cmd::Stem1st, [this] { flow_.methods().stemFirstIterationCommand(); });
    on(Cmd::StemNew, [this] { flow_.methods().stemNewIterationCommand(); });
    on(Cmd::RaceStart, [this] { flow_.methods().raceStartCommand(); });
    on(Cmd::RaceChangeDir, [this] { flow_.methods().raceChangeDirectionCommand(); });
    on(Cmd::RaceFix, [this] { flow_.methods().raceFixCommand(); });
    on(Cmd::RaceRelax, [this] { flow_.methods().raceRelaxCommand(); });
    // The race is driven from the keyboard wherever the focus is.
    qApp->installEventFilter(this);
    for (Cmd exit : {Cmd::StemExit, Cmd::RaceExit})
        on(exit, [this] { flow_.SaiMetodos(true); });
    on(Cmd::Icw1st, [this] { flow_.methods().icwFirstIterationCommand(); });
    on(Cmd::IcwNew, [this] { flow_.methods().icwNewIterationCommand(); });
    on(Cmd::IcwContractedVma, [this] { flow_.methods().icwContractedVmaCommand(kVmaMaxBases); });
    on(Cmd::IcwExit, [this] { flow_.methods().icwExitCommand(); });
    connect(bars_, &BarPictureWidget::pressed, this, [this] { flow_.basket().chooseColour(); });

    for (Cmd values : {Cmd::ViewBasketValues, Cmd::BtnBasketValues})
        on(values, [this] { showBasketValues(); });
    for (Cmd graphs : {Cmd::ViewBasketGraphs, Cmd::BtnBasketGraphs})
        on(graphs, [this] { showBasketGraphs(); });

    // Computations.
    on(Cmd::ComputePayoff, [this] { flow_.compute().computePayoffCommand(); });
    on(Cmd::ViewPayoff, [this] { flow_.compute().viewPayoffCommand(); });
    for (Cmd sum : {Cmd::WeightedSum, Cmd::BtnWeightedSum})
        on(sum, [this] { flow_.compute().weightedSumCommand(); });
    for (Cmd ref : {Cmd::RefPoint, Cmd::BtnRefPoint})
        on(ref, [this] { flow_.compute().referencePointCommand(); });
    for (Cmd eps : {Cmd::EConstraint, Cmd::BtnEConstraint})
        on(eps, [this] { flow_.compute().eConstraintCommand(); });
    // The limitations button is down exactly while limitations are in force,
    // whatever the click did to it.
    for (Cmd limits : {Cmd::ImposeLimitations, Cmd::BtnLimitations})
        on(limits, [this] {
            flow_.compute().limitationsCommand();
            refreshActions();
        });

    for (Cmd view : {Cmd::ViewWeightSpace, Cmd::BtnWeightSpace})
        on(view, [this] { showWeightSpace(); });
}

void MainWindow::refreshActions()
{
    updatingUi_ = true;
    const CommandStates& states = flow_.states();
    for (int i = 0; i < kCommandCount; ++i) {
        QAction* act = actions_[i];
        if (!act)
            continue;
        const CommandState& s = states[static_cast<Cmd>(i)];
        act->setVisible(s.visible);
        act->setEnabled(s.enabled);
        if (act->isCheckable())
            act->setChecked(s.checked);
    }
    viewLastN_->setEnabled(states.isEnabled(Cmd::ViewLastN));
    tabs_->setVisible(states.isVisible(Cmd::TabBar));
    barsArea_->setVisible(states.isVisible(Cmd::BarPicture));
    report_->setVisible(states.isVisible(Cmd::ReportPane));
    splitter_->setVisible(states.isVisible(Cmd::BarPicture) || states.isVisible(Cmd::ReportPane));
    racePanel_->setVisible(states.isVisible(Cmd::RacePanel));
    refreshWelcome();
    updatingUi_ = false;
}

void MainWindow::refreshWelcome()
{
    const bool panes = flow_.states().isVisible(Cmd::BarPicture) || flow_.states().isVisible(Cmd::ReportPane);
    welcome_->setVisible(!panes);
    if (panes)
        return;
    if (flow_.phase() == Phase::Empty) {
        welcome_->setText(QStringLiteral("<h2>Quilvane</h2><p>Open a problem with <b>File &gt; Open</b> (Ctrl+O) "
                                         "or start a new one with <b>File &gt; New</b> (Ctrl+N).</p>"
                                         "<p>Help &gt; Quilvane Help (F1) explains the program.</p>"));
        return;
    }
    welcome_->setText(QStringLiteral("<h2>%1</h2><p>%2 objective functions, %3 constraints, %4 variables</p>"
                                     "<p>Start with <b>First &gt; Compute Pay-off table</b> (Ctrl+T), "
                                     "or import saved solutions.</p>")
                          .arg(ws_.problemName.toHtmlEscaped())
                          .arg(ws_.numObjectives)
                          .arg(ws_.numConstraints)
                          .arg(ws_.numVariables));
}

void MainWindow::onNotify(UiEvent event)
{
    switch (event) {
    case UiEvent::CommandsChanged: refreshActions(); break;
    case UiEvent::CaptionChanged: setWindowTitle(flow_.caption()); break;
    case UiEvent::ViewLastNChanged:
        updatingUi_ = true;
        viewLastN_->setValue(ws_.viewLastN);
        updatingUi_ = false;
        break;
    case UiEvent::SolutionPhaseShown:
        tabs_->setCurrentIndex(0);
        report_->clear();
        weightSpace_->prepare();
        break;
    case UiEvent::BasketValuesChanged:
        if (deferBasketViews())
            valuesPending_ = true;
        else if (basketValues_->isVisible())
            basketValues_->fill();
        break;
    case UiEvent::ProblemLoaded:
        basketGraphs_->resetForProblem();
        keeper_->keepViewsOnScreen();
        break;
    case UiEvent::BasketChartShown:
        // Shown in front without taking the keyboard from this window.
        basketGraphs_->mostraGrafico();
        if (basketLineChart_->isVisible())
            basketLineChart_->DesenhaChart();
        break;
    case UiEvent::BasketViewsShown:
        showBasketValues();
        showBasketGraphs();
        break;
    case UiEvent::BasketChartChanged:
        if (deferBasketViews()) {
            chartPending_ = true;
            break;
        }
        // Redrawn where it is: the person may be working in the weight space.
        basketGraphs_->refresh();
        if (basketLineChart_->isVisible())
            basketLineChart_->DesenhaChart();
        break;
    case UiEvent::ProblemViewsHidden:
        basketValues_->hide();
        basketGraphs_->hide();
        basketLineChart_->hide();
        weightSpace_->hide();
        contractedCone_->hide();
        report_->clear();
        bars_->setPicture(QImage());
        break;
    case UiEvent::WeightSpaceChanged: weightSpace_->regionsChanged(); break;
    case UiEvent::WeightSpaceHidden: weightSpace_->hide(); break;
    case UiEvent::WeightSpaceShown: showWeightSpace(); break;
    case UiEvent::IcwIterationDrawn:
        weightSpace_->drawIcwIteration();
        if (ws_.methodIteration >= 2)
            contractedCone_->drawIteration(*weightSpace_);
        break;
    case UiEvent::ContractedConeChanged:
        weightSpace_->redrawAll();
        contractedCone_->redraw(*weightSpace_);
        break;
    case UiEvent::ContractedConeHidden:
        contractedCone_->hide();
        weightSpace_->redrawAll();
        break;
    case UiEvent::ReportChanged: showReport(); break;
    case UiEvent::BarsChanged: redrawBars(flow_.thickBars()); break;
    case UiEvent::RacePanelChanged: showRaceState(); break;
    default:
        // Views that arrive with their own windows (report, bars, basket,
        // weight space) react here as they are added.
        break;
    }
}

bool MainWindow::deferBasketViews()
{
    if (!ui_.stoppableTaskRunning())
        return false;
    if (!viewsTimer_->isActive())
        viewsTimer_->start();
    return true;
}

void MainWindow::redrawDeferredViews()
{
    viewsTimer_->stop();
    if (valuesPending_) {
        valuesPending_ = false;
        onNotify(UiEvent::BasketValuesChanged);
    }
    if (chartPending_) {
        chartPending_ = false;
        onNotify(UiEvent::BasketChartChanged);
    }
}

void MainWindow::newProblem()
{
    if (!flow_.confirmDiscardSolutions())
        return;
    sizesDialog_->reset();
    if (sizesDialog_->exec() != QDialog::Accepted)
        return;
    flow_.file().newProblem(sizesDialog_->objectives(), sizesDialog_->variables(), sizesDialog_->constraints());
}

void MainWindow::showWeightSpace()
{
    if (ws_.numObjectives != 2 && ws_.numObjectives != 3)
        return;
    weightSpace_->show();
    weightSpace_->raise();
    weightSpace_->activateWindow();
}

void MainWindow::showHelp()
{
    helpWindow_->showPage(QDir(ws_.startDir).filePath(QStringLiteral("Help2.htm")));
    helpWindow_->exec();
}

void MainWindow::showAbout() { aboutBox_->exec(); }

void MainWindow::printReport()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        report_->print(&printer);
}

void MainWindow::showReport()
{
    // Keep the place when nothing was added, else go to what was.
    const int first = flow_.report().firstUnseenLine();
    const int kept = report_->verticalScrollBar()->value();
    report_->setHtml(flow_.report().toHtml());
    flow_.reportSeen();
    if (first < 0) {
        report_->verticalScrollBar()->setValue(kept);
    } else {
        const QTextBlock block = report_->document()->findBlockByNumber(first);
        const qreal top = block.isValid() ? report_->document()->documentLayout()->blockBoundingRect(block).top() : 0;
        report_->verticalScrollBar()->setValue(static_cast<int>(top));
    }
    // A solution just computed but not stored is marked on the chart.
    if (flow_.report().newestNewlyColored && !ws_.history.empty() && basketGraphs_->isVisible())
        basketGraphs_->MostraSolNaoGuardada(ws_.history.front().f, ws_.history.front().cor);
}

void MainWindow::showBasketValues()
{
    basketValues_->mostraValores();
    basketValues_->raise();
    basketValues_->activateWindow();
}

void MainWindow::showBasketGraphs()
{
    basketGraphs_->mostraGrafico();
    basketGraphs_->raise();
    basketGraphs_->activateWindow();
}

void MainWindow::redrawBars(bool thick)
{
    if (ws_.history.empty()) {
        bars_->setPicture(QImage());
        bars_->resize(barsArea_->viewport()->size());
        return;
    }
    const QImage picture = DrawSolutionBars(ws_, barsArea_->viewport()->size(), thick);
    bars_->resize(picture.size());
    bars_->setPicture(picture);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && racePanel_ && racePanel_->isVisible()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
        // Keys sent to this window's widgets, not while a menu or a dialog
        // has them.
        const auto* target = qobject_cast<QWidget*>(watched);
        if (plain && target && target->window() == this && QApplication::activeModalWidget() == nullptr
            && QApplication::activePopupWidget() == nullptr)
            return racePanel_->handleKey(key->key()) || QMainWindow::eventFilter(watched, event);
        // A key still held when GO opened a dialog must not answer it.
        if (key->isAutoRepeat())
            return true;
    }
    // The picture fills its pane: a new pane size (window resize, divider
    // drag) draws it anew.
    if (watched == barsArea_->viewport() && event->type() == QEvent::Resize && barsArea_->isVisible())
        redrawBars(false);
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!exited_) {
        if (!flow_.file().exitProgram()) {
            event->ignore();
            return;
        }
        exited_ = true;
        keeper_->saveAll();
        keeper_->closeAll();
        contractedCone_->close();
    }
    event->accept();
}
