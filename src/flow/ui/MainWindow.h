#pragma once

#include "flow/Commands.h"
#include "flow/Session.h"
#include "flow/ui/QtUiPort.h"

#include <QMainWindow>

#include <array>
#include <memory>

class AboutBox;
class BarPictureWidget;
class HelpWindow;
class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QTimer;
class QSpinBox;
class QScrollArea;
class QSplitter;
class StoreOptionsDialog;
class BasketGraphsWindow;
class BasketLineChartWindow;
class BasketValuesWindow;
class ContractedConeWindow;
class QTabWidget;
class RacePanel;
class QTextEdit;
class QToolButton;
class SizesDialog;
class WeightSpaceWindow;
class WindowKeeper;
struct Workspace;

// The main window: menus, the two tab panels of buttons, the bar picture and
// the report pane, the status bar. It holds no data: commands go to the
// Session, which decides what is offered and tells the window what to show.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Does not own `ws`; it must outlive the window.
    explicit MainWindow(Workspace& ws, QWidget* parent = nullptr);
    ~MainWindow() override;

    Session& flow() { return flow_; }
    QtUiPort& uiPort() { return ui_; }
    QAction* action(Cmd cmd) const { return actions_[static_cast<int>(cmd)]; }
    SizesDialog* sizesDialog() const { return sizesDialog_; }
    QTabWidget* tabs() const { return tabs_; }
    QTextEdit* report() const { return report_; }
    BarPictureWidget* bars() const { return bars_; }
    BasketValuesWindow* basketValues() const { return basketValues_; }
    BasketGraphsWindow* basketGraphs() const { return basketGraphs_; }
    WeightSpaceWindow* weightSpace() const { return weightSpace_; }
    ContractedConeWindow* contractedCone() const { return contractedCone_; }
    QSpinBox* viewLastNBox() const { return viewLastN_; }
    QLabel* statusPanel(int panel) const { return panels_[panel]; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    QMenu* createMenu(const MenuEntry& entry);
    QAction* createAction(Cmd cmd);
    void createPanels();
    QWidget* createButtonPanel(const std::vector<Cmd>& buttons);
    QWidget* createViewLastN();
    RacePanel* createRacePanel();
    void showRaceState();
    void createStatusBar();
    void connectCommands();
    void refreshActions();
    void refreshWelcome();
    void onNotify(UiEvent event);
    // While a computation with a progress box stores solution after
    // solution, the basket views are redrawn at most once a second (each
    // redraw draws every solution) and once more when it ends.
    bool deferBasketViews();
    void redrawDeferredViews();

    void newProblem();
    void showHelp();
    void showAbout();
    void printReport();
    void redrawBars(bool thick);
    void showReport();
    void showBasketValues();
    void showBasketGraphs();
    void showWeightSpace();

    QLabel* panels_[2] = {nullptr, nullptr};
    QProgressBar* progress_ = nullptr;
    QtUiPort ui_;
    Session flow_;
    std::array<QAction*, kCommandCount> actions_{};
    QTabWidget* tabs_ = nullptr;
    QSplitter* splitter_ = nullptr;
    BarPictureWidget* bars_ = nullptr;
    QTextEdit* report_ = nullptr;
    QScrollArea* barsArea_ = nullptr;
    StoreOptionsDialog* storeOptions_ = nullptr;
    BasketValuesWindow* basketValues_ = nullptr;
    BasketGraphsWindow* basketGraphs_ = nullptr;
    BasketLineChartWindow* basketLineChart_ = nullptr;
    WeightSpaceWindow* weightSpace_ = nullptr;
    ContractedConeWindow* contractedCone_ = nullptr;
    QSpinBox* viewLastN_ = nullptr;
    RacePanel* racePanel_ = nullptr;
    QLabel* welcome_ = nullptr;
    SizesDialog* sizesDialog_ = nullptr;
    HelpWindow* helpWindow_ = nullptr;
    AboutBox* aboutBox_ = nullptr;
    WindowKeeper* keeper_ = nullptr;
    Workspace& ws_;
    bool updatingUi_ = false;
    QTimer* viewsTimer_ = nullptr;
    bool valuesPending_ = false;
    bool chartPending_ = false;
    bool exited_ = false;
};
