#pragma once

#include <QString>

#include <vector>

// Kinds of modal message box.
enum class MsgKind { Information, Warning, Error, Confirmation };

// What a view must redraw or do after the core changed the workspace. The
// GUI maps each to a widget; tests record them.
enum class UiEvent {
    CommandsChanged,    // command states changed: apply them to the actions
    CaptionChanged,     // the window caption changed
    ReportChanged,      // the report pane must be rewritten
    BarsChanged,        // the bar picture must be redrawn
    ViewLastNChanged,   // the "View the last N" field must show viewLastN
    ProblemLoaded,      // a new problem replaced the workspace: place the views
    ProblemViewsHidden, // hide the weight-space window and the basket views
    SolutionPhaseShown, // the tab bar appears with the SEARCH panel; clear the report
    BasketChartChanged, // the basket chart window must redraw (when visible)
    BasketChartShown,   // the basket chart window shows itself and draws
    BasketValuesChanged,  // the basket values window must refill (when visible)
    BasketViewsShown,   // show the basket values and basket graph windows (each refreshes)
    WeightSpaceChanged, // the weight-space window must redraw its regions
    WeightSpaceHidden,  // a method hides the weight-space window
    WeightSpaceShown,   // ... and shows it again when it ends
    IcwIterationDrawn,     // an ICW iteration ended: the views draw its solutions and weights
    ContractedConeChanged, // the contracted cone window must redraw (contracted VMA)
    ContractedConeHidden,
    RacePanelChanged,   // the race panel must show the race's direction and speed
};

const char* toString(MsgKind kind);
const char* toString(UiEvent event);

// One thing a computation has to tell the person: a message box, a status
// bar text or a view to redraw.
struct Notice {
    enum class Kind { Message, Status, Event };
    Kind kind = Kind::Message;
    MsgKind box = MsgKind::Information; // for a Message
    int panel = 0;                      // for a Status text
    UiEvent event = UiEvent::CommandsChanged; // for an Event
    QString text;

    bool operator==(const Notice& other) const
    {
        return kind == other.kind && box == other.box && panel == other.panel && event == other.event
            && text == other.text;
    }
};

// What the computing code has to tell the person, in the order it happened.
// Computations return it inside their result records instead of talking to
// the person; the flow shows it through its port (ShowNotices).
class Notices {
public:
    void message(MsgKind box, const QString& text)
    {
        items_.push_back({Notice::Kind::Message, box, 0, UiEvent::CommandsChanged, text});
    }
    void status(int panel, const QString& text)
    {
        items_.push_back({Notice::Kind::Status, MsgKind::Information, panel, UiEvent::CommandsChanged, text});
    }
    void event(UiEvent event)
    {
        items_.push_back({Notice::Kind::Event, MsgKind::Information, 0, event, QString()});
    }
    void append(const Notices& other) { items_.insert(items_.end(), other.items_.begin(), other.items_.end()); }
    void clear() { items_.clear(); }

    const std::vector<Notice>& items() const { return items_; }
    bool empty() const { return items_.empty(); }
    // A message box of any kind is among them.
    bool hasMessage() const
    {
        for (const Notice& n : items_)
            if (n.kind == Notice::Kind::Message)
                return true;
        return false;
    }

private:
    std::vector<Notice> items_;
};
