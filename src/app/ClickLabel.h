#pragma once

#include <QLabel>

namespace vantrel {

// A picture box or label that reports clicks, like the palette boxes and
// tool icons of the main window.
class ClickLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace vantrel
