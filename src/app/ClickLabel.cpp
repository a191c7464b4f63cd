#include "app/ClickLabel.h"

#include <QMouseEvent>

namespace vantrel {

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and release of the left button over the label.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace vantrel
