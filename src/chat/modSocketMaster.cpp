#include "chat/modSocketMaster.h"

#include "chat/CSocketMaster.h"

#include <QHash>
#include <QSocketNotifier>

namespace vantrel::modSocketMaster {

namespace {

struct Registration
{
    CSocketMaster *owner = nullptr;
    QSocketNotifier *read = nullptr;
    QSocketNotifier *write = nullptr;
};

struct Shared
{
    int instanceCount = 0;
    bool started = false;
    QHash<int, Registration> sockets;
    QHash<int, CSocketMaster *> acceptList;
    QHash<int, CSocketMaster *> resolutions;
};

Shared &shared()
{
    thread_local Shared s;
    return s;
}

MessageHook &hookStorage()
{
    static MessageHook hook;
    return hook;
}

void dispatch(int handle, Readiness readiness)
{
    auto it = shared().sockets.constFind(handle);
    if (it == shared().sockets.constEnd() || !it->owner)
        return;
    it->owner->PostReadiness(readiness);
}

void dropNotifier(QSocketNotifier *&n)
{
    if (!n)
        return;
    // Disabled at once (the descriptor may be reused right away); deleted
    // later because we may be inside its own activated signal.
    n->setEnabled(false);
    n->deleteLater();
    n = nullptr;
}

} // namespace

void InitiateProcesses()
{
    Shared &s = shared();
    ++s.instanceCount;
    // POSIX sockets need no library start; the flag keeps the bookkeeping.
    s.started = true;
}

void FinalizeProcesses()
{
    Shared &s = shared();
    if (s.instanceCount > 0)
        --s.instanceCount;
    if (s.instanceCount == 0)
        s.started = false;
}

int InstanceCount()
{
    return shared().instanceCount;
}
bool WinsockStarted()
{
    return shared().started;
}

void RegisterSocket(int handle, CSocketMaster *owner, bool selectEvents)
{
    Registration &r = shared().sockets[handle];
    r.owner = owner;
    Q_UNUSED(selectEvents); // an adopted handle keeps the watchers it already has
    if (!r.read) {
        r.read = new QSocketNotifier(handle, QSocketNotifier::Read);
        r.read->setEnabled(false);
        QObject::connect(r.read, &QSocketNotifier::activated, r.read,
                         [handle] { dispatch(handle, Readiness::Readable); });
    }
    if (!r.write) {
        r.write = new QSocketNotifier(handle, QSocketNotifier::Write);
        r.write->setEnabled(false);
        QObject::connect(r.write, &QSocketNotifier::activated, r.write,
                         [handle] { dispatch(handle, Readiness::Writable); });
    }
}

void UnregisterSocket(int handle)
{
    auto it = shared().sockets.find(handle);
    if (it == shared().sockets.end())
        return;
    dropNotifier(it->read);
    dropNotifier(it->write);
    shared().sockets.erase(it);
}

bool IsSocketRegistered(int handle)
{
    return shared().sockets.contains(handle);
}

CSocketMaster *SocketOwner(int handle)
{
    auto it = shared().sockets.constFind(handle);
    return it == shared().sockets.constEnd() ? nullptr : it->owner;
}

int RegisteredSocketCount()
{
    return int(shared().sockets.size());
}

void SetInterest(int handle, bool readable, bool writable)
{
    auto it = shared().sockets.find(handle);
    if (it == shared().sockets.end())
        return;
    if (it->read && it->read->isEnabled() != readable)
        it->read->setEnabled(readable);
    if (it->write && it->write->isEnabled() != writable)
        it->write->setEnabled(writable);
}

void AddAcceptSocket(int handle, CSocketMaster *holder)
{
    shared().acceptList.insert(handle, holder);
}

CSocketMaster *GetAcceptClass(int handle)
{
    return shared().acceptList.value(handle, nullptr);
}

void RemoveAcceptSocket(int handle)
{
    shared().acceptList.remove(handle);
}

bool IsAcceptRegistered(int handle)
{
    return shared().acceptList.contains(handle);
}

int AcceptListCount()
{
    return int(shared().acceptList.size());
}

void RegisterResolution(int requestId, CSocketMaster *owner)
{
    shared().resolutions.insert(requestId, owner);
}

void UnregisterResolution(int requestId)
{
    shared().resolutions.remove(requestId);
}

void setDefaultMessageHook(MessageHook hook)
{
    hookStorage() = std::move(hook);
}

const MessageHook &defaultMessageHook()
{
    return hookStorage();
}

} // namespace vantrel::modSocketMaster
