#include "chat/modSocketMaster.h"

#include "chat/CSocketMaster.h"
#include "chat/SocketError.h"

#include <QHash>
#include <QSocketNotifier>

#include <cerrno>
#include <sys/epoll.h>
#include <unistd.h>

namespace vantrel::modSocketMaster {

namespace {

// Readiness of every socket of a thread is gathered by one epoll set, which
// a single QSocketNotifier watches: an event-loop pass costs the same with
// two sockets or two hundred, and one pass hands out every ready socket.
struct Registration
{
    CSocketMaster *owner = nullptr;
    quint32 events = 0; // what the owner wants: EPOLLIN, EPOLLOUT
    bool inSet = false; // a socket that wants nothing is left out of the set,
                        // else its hang-up would be reported over and over
};

struct Shared
{
    int instanceCount = 0;
    bool started = false;
    int epollFd = -1;
    QSocketNotifier *notifier = nullptr;
    QHash<int, Registration> sockets;
    QHash<int, CSocketMaster *> acceptList;
    QHash<int, CSocketMaster *> resolutions;

    ~Shared()
    {
        delete notifier;
        if (epollFd >= 0)
            ::close(epollFd);
    }
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

void dispatchReady()
{
    Shared &s = shared();
    epoll_event ready[64];
    const int n = ::epoll_wait(s.epollFd, ready, 64, 0);
    for (int i = 0; i < n; ++i) {
        const int handle = ready[i].data.fd;
        const quint32 got = ready[i].events;
        // Look the handle up again for every event: an earlier handler may
        // have closed it, handed it to another owner or changed its interest.
        auto it = s.sockets.constFind(handle);
        if (it == s.sockets.constEnd() || !it->owner)
            continue;
        const bool failed = got & (EPOLLERR | EPOLLHUP);
        if ((it->events & EPOLLIN) && (got & EPOLLIN || failed)) {
            it->owner->PostReadiness(Readiness::Readable);
            it = s.sockets.constFind(handle);
            if (it == s.sockets.constEnd() || !it->owner)
                continue;
        }
        if ((it->events & EPOLLOUT) && (got & EPOLLOUT || failed))
            it->owner->PostReadiness(Readiness::Writable);
    }
}

void ensureSet()
{
    Shared &s = shared();
    if (s.epollFd >= 0)
        return;
    s.epollFd = ::epoll_create1(EPOLL_CLOEXEC);
    if (s.epollFd < 0)
        throwSocketErrno(errno, QStringLiteral("modSocketMaster.RegisterSocket"));
    s.notifier = new QSocketNotifier(s.epollFd, QSocketNotifier::Read);
    QObject::connect(s.notifier, &QSocketNotifier::activated, s.notifier, &dispatchReady);
}

void applyInterest(int handle, Registration &r)
{
    Shared &s = shared();
    epoll_event ev{};
    ev.events = r.events;
    ev.data.fd = handle;
    if (r.events == 0) {
        if (r.inSet)
            ::epoll_ctl(s.epollFd, EPOLL_CTL_DEL, handle, &ev);
        r.inSet = false;
        return;
    }
    if (::epoll_ctl(s.epollFd, r.inSet ? EPOLL_CTL_MOD : EPOLL_CTL_ADD, handle, &ev) == 0)
        r.inSet = true;
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
    Q_UNUSED(selectEvents); // an adopted handle keeps its place in the set
    ensureSet();
    shared().sockets[handle].owner = owner;
}

void UnregisterSocket(int handle)
{
    auto it = shared().sockets.find(handle);
    if (it == shared().sockets.end())
        return;
    it->events = 0;
    applyInterest(handle, *it);
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
    const quint32 events = (readable ? quint32(EPOLLIN) : 0u) | (writable ? quint32(EPOLLOUT) : 0u);
    if (events == it->events && (events == 0) != it->inSet)
        return;
    it->events = events;
    applyInterest(handle, *it);
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
