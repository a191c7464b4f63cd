#pragma once

#include "chat/clsUser.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

namespace vantrel {

// The connections in insertion order, by 1-based position or by key.
// Removed connections are deleted later, never inside the event that removes
// them, so a socket may drop its own connection from its own handler.
class clsUsers : public QObject
{
    Q_OBJECT

public:
    clsUsers(ChatSession &session, QObject *parent = nullptr);
    ~clsUsers() override;

    // nullptr when the key is taken already (the collection stays unchanged).
    clsUser *Add(const QString &sKey = QString());
    clsUser *Item(int index) const;
    clsUser *Item(const QString &key) const;
    int Count() const { return int(m_items.size()); }
    void Remove(int index);
    void Remove(const QString &key);
    // A snapshot for loops whose sends may remove entries on the way.
    QList<QPointer<clsUser>> NewEnum() const;
    // Closes every connection without a word to the peers and empties the
    // collection.
    void closeAll();

private:
    void release(clsUser *user);

    ChatSession &m_session;
    QList<clsUser *> m_items;
};

} // namespace vantrel
