#include "uiservice/ScreenFit.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace vantrel {

namespace {

// The frame a window manager puts around `window`: known once the window has
// been shown, estimated from the style's title bar before.
QMargins frameOf(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    if (frame != inner)
        return {inner.left() - frame.left(), inner.top() - frame.top(),
                frame.right() - inner.right(), frame.bottom() - inner.bottom()};
    const int border = 4;
    const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + border;
    return {border, title, border, border};
}

int clampInto(int start, int length, int areaStart, int areaLength)
{
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

} // namespace

void keepOnScreen(QWidget *window, const QWidget *anchor)
{
    QScreen *screen = anchor ? anchor->screen() : window->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QMargins frame = frameOf(window);

    const QSize room = area.size().shrunkBy(frame);
    window->resize(window->size().boundedTo(room).expandedTo(window->minimumSize()));
    QRect outer = window->geometry().marginsAdded(frame);
    if (!window->testAttribute(Qt::WA_Moved) || !area.intersects(outer))
        outer.moveCenter(anchor ? anchor->frameGeometry().center() : area.center());
    const int x = clampInto(outer.left(), outer.width(), area.left(), area.width());
    const int y = clampInto(outer.top(), outer.height(), area.top(), area.height());
    // move() places the frame's top-left corner.
    window->move(x, y);
}

} // namespace vantrel
