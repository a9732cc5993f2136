#include "flow/WindowPlacement.h"

#include <algorithm>

namespace {

constexpr int kGap = 8;        // between the main window and a view
constexpr int kSlotStep = 40;  // about one title bar
constexpr int kScreenMargin = 16;
constexpr int kRoomForViews = 520; // beside the main window, the first time

} // namespace

QRect KeepInside(const QRect& r, const QRect& available)
{
    const int width = std::min(r.width(), available.width());
    const int height = std::min(r.height(), available.height());
    const int x = std::clamp(r.x(), available.left(), available.left() + available.width() - width);
    const int y = std::clamp(r.y(), available.top(), available.top() + available.height() - height);
    return {x, y, width, height};
}

QRect PlaceBeside(const QRect& anchor, QSize size, const QRect& available, int slot, int minimumWidth)
{
    const int top = anchor.top() + slot * kSlotStep;
    const int roomRight = available.left() + available.width() - (anchor.left() + anchor.width() + kGap);
    const int roomLeft = anchor.left() - kGap - available.left();
    int x = 0;
    if (size.width() <= roomRight)
        x = anchor.left() + anchor.width() + kGap;
    else if (size.width() <= roomLeft)
        x = anchor.left() - kGap - size.width();
    else if (minimumWidth > 0 && std::max(roomRight, roomLeft) >= minimumWidth) {
        size.setWidth(std::max(roomRight, roomLeft));
        x = roomRight >= roomLeft ? anchor.left() + anchor.width() + kGap : available.left();
    } else if (roomRight >= roomLeft)
        x = available.left() + available.width() - size.width(); // flush right: covers the least
    else
        x = available.left();
    return KeepInside(QRect(QPoint(x, top), size), available);
}

QRect FirstMainWindowPlace(QSize preferred, const QRect& available, int minimumWidth)
{
    const int leavingRoom = available.width() - 2 * kScreenMargin - kGap - kRoomForViews;
    preferred.setWidth(std::clamp(leavingRoom, std::min(minimumWidth, preferred.width()), preferred.width()));
    const QRect wanted(available.topLeft() + QPoint(kScreenMargin, kScreenMargin), preferred);
    return KeepInside(wanted, available.adjusted(0, 0, -kScreenMargin, -kScreenMargin));
}
