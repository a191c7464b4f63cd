#include "chat/clsUsers.h"

namespace vantrel {

clsUsers::clsUsers(ChatSession &session, QObject *parent)
    : QObject(parent)
    , m_session(session)
{
}

clsUsers::~clsUsers()
{
    // Connections still here close with their sockets.
    qDeleteAll(m_items);
}

clsUser *clsUsers::Add(const QString &sKey)
{
    if (!sKey.isEmpty() && Item(sKey))
        return nullptr;
    auto *user = new clsUser(m_session, this);
    user->Key = sKey;
    m_items.append(user);
    return user;
}

clsUser *clsUsers::Item(int index) const
{
    return index >= 1 && index <= m_items.size() ? m_items.at(index - 1) : nullptr;
}

clsUser *clsUsers::Item(const QString &key) const
{
    if (key.isEmpty())
        return nullptr;
    for (clsUser *u : m_items) {
        if (u->Key == key)
            return u;
    }
    return nullptr;
}

void clsUsers::Remove(int index)
{
    if (index >= 1 && index <= m_items.size())
        release(m_items.takeAt(index - 1));
}

void clsUsers::Remove(const QString &key)
{
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (!key.isEmpty() && m_items.at(i)->Key == key) {
            release(m_items.takeAt(i));
            return;
        }
    }
}

QList<QPointer<clsUser>> clsUsers::NewEnum() const
{
    QList<QPointer<clsUser>> out;
    out.reserve(m_items.size());
    for (clsUser *u : m_items)
        out.append(u);
    return out;
}

void clsUsers::closeAll()
{
    const QList<clsUser *> items = std::exchange(m_items, {});
    for (clsUser *u : items)
        release(u);
}

void clsUsers::release(clsUser *user)
{
    // The socket closes now; the object goes once the current event is over.
    user->Socket->blockSignals(true);
    try {
        user->Socket->CloseSck();
    } catch (const SocketError &) {
    }
    user->deleteLater();
}

} // namespace vantrel
