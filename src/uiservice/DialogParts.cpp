#include "uiservice/DialogParts.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace vantrel::DialogParts {

QPushButton *button(const QString &caption, const QString &name, QWidget *parent, bool isDefault)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setDefault(isDefault);
    return b;
}

QHBoxLayout *buttonRow(std::initializer_list<QPushButton *> buttons)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton *b : buttons)
        row->addWidget(b);
    return row;
}

} // namespace vantrel::DialogParts
