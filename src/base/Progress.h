#pragma once

#include "base/Notices.h"

#include <QString>

// How a long computation reports how far it is and learns whether to stop.
// The flow implements it with the port's progress bar and Cancel box; a
// caller that shows nothing passes NoProgress.
class Progress {
public:
    virtual ~Progress() = default;
    // The progress bar: `position` of `maximum` steps are done.
    virtual void step(int position, int maximum)
    {
        (void)position;
        (void)maximum;
    }
    // The box titled `title` with a Cancel button opens, showing `text`.
    virtual void begin(const QString& title, const QString& text)
    {
        (void)title;
        (void)text;
    }
    // The progress bar and the Cancel box are no longer needed.
    virtual void done() {}
    // The running text of the Cancel box; false once the person pressed
    // Cancel. Called at least every 0.2 s while a stoppable run goes on.
    virtual bool update(const QString& text)
    {
        (void)text;
        return true;
    }
    // What the computation stored so far may be drawn now (a view redraws
    // while the run goes on).
    virtual void changed(UiEvent event) { (void)event; }
    // What the run has to tell while it goes on (a stored solution's status
    // text, a box), shown at once rather than when the run returns. Shows
    // nothing but the view events unless the caller shows more.
    virtual void tell(const Notices& notices)
    {
        for (const Notice& n : notices.items())
            if (n.kind == Notice::Kind::Event)
                changed(n.event);
    }
};

// Shows nothing and never stops.
class NoProgress final : public Progress {};
