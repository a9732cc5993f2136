#include "flow/PortProgress.h"

#include "lp/LpSolveAdapter.h"

void PortProgress::step(int position, int maximum)
{
    ui_.showProgress(position, maximum);
    barShown_ = true;
    ui_.processEvents();
}

void PortProgress::done()
{
    if (barShown_) {
        barShown_ = false;
        ui_.hideProgress();
    }
    if (boxOpen_) {
        boxOpen_ = false;
        ui_.endStoppableTask();
    }
}

void PortProgress::begin(const QString& title, const QString& text)
{
    ui_.beginStoppableTask(title, text);
    boxOpen_ = true;
}

bool PortProgress::update(const QString& text) { return ui_.updateStoppableTask(text); }

void PortProgress::changed(UiEvent event) { ui_.notify(event); }

void PortProgress::tell(const Notices& notices) { ShowNotices(ui_, notices); }

void ShowSolveStatus(UiPort& ui, SolveStatus status) { ShowNotices(ui, SolveStatusNotices(status)); }
