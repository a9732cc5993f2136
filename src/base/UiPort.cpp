#include "base/UiPort.h"

void ShowNotices(UiPort& ui, const Notices& notices)
{
    for (const Notice& n : notices.items()) {
        switch (n.kind) {
        case Notice::Kind::Message: ui.showMessage(n.box, n.text); break;
        case Notice::Kind::Status: ui.setStatusText(n.panel, n.text); break;
        case Notice::Kind::Event: ui.notify(n.event); break;
        }
    }
}
