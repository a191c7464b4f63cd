#pragma once

#include <QString>

#include <functional>

namespace vantrel {

class CSocketMaster;

// What every CSocketMaster of a thread shares: the instance count, the
// registry that routes readiness of a descriptor to its owner, the list of
// accepted connections nobody has taken yet, and the lookups in flight.
// The state is per thread, so a thread with its own event loop can run its
// own sockets (the load benchmark runs the host in a second thread).
namespace modSocketMaster {

// Read and write readiness of a descriptor; the owner turns them into the
// component's notification kinds.
enum class Readiness { Readable, Writable };

void InitiateProcesses();
void FinalizeProcesses();
int InstanceCount();
bool WinsockStarted();

// Enters `handle` with its owner; creates the readiness watchers unless the
// handle already has them (an accepted socket inherits them from its holder).
void RegisterSocket(int handle, CSocketMaster *owner, bool selectEvents);
void UnregisterSocket(int handle);
bool IsSocketRegistered(int handle);
CSocketMaster *SocketOwner(int handle);
int RegisteredSocketCount();
// Which readiness the owner wants to hear about now. Readiness is level
// triggered on POSIX, so an owner only asks for what it will act on.
void SetInterest(int handle, bool readable, bool writable);

void AddAcceptSocket(int handle, CSocketMaster *holder);
CSocketMaster *GetAcceptClass(int handle);
void RemoveAcceptSocket(int handle);
bool IsAcceptRegistered(int handle);
int AcceptListCount();

void RegisterResolution(int requestId, CSocketMaster *owner);
void UnregisterResolution(int requestId);

// Shows the Error event's message box when a handler set CancelDisplay to
// False. The core has no windows: the program installs a hook that goes
// through its Ui service; without one the text goes to the debug log.
using MessageHook = std::function<void(const QString &text, const QString &title)>;
void setDefaultMessageHook(MessageHook hook);
const MessageHook &defaultMessageHook();

} // namespace modSocketMaster

} // namespace vantrel
