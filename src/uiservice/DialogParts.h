#pragma once

#include <QString>

#include <initializer_list>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace vantrel {

// What every dialog builds the same way: buttons carry their control names
// (language packs address them by name), and the command buttons sit in a
// row at the bottom right.
namespace DialogParts {

QPushButton *button(const QString &caption, const QString &name, QWidget *parent,
                    bool isDefault = false);
QHBoxLayout *buttonRow(std::initializer_list<QPushButton *> buttons);

} // namespace DialogParts

} // namespace vantrel
