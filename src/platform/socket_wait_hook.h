#pragma once
// Socket waits in slices: while a hook is set, every wait for a socket runs in
// slices of kSocketWaitSliceMs and the hook runs between them, so the thread that
// waits for a server can still repaint its windows.
#include <functional>

namespace trev {

constexpr int kSocketWaitSliceMs = 100;

using SocketWaitHook = std::function<void()>;
// An empty hook makes every wait one piece again.
void setSocketWaitHook(SocketWaitHook hook);

// Runs waitOnce(ms) until it returns non-zero (ready or failed) or timeoutMs
// (-1: no limit) has passed, which gives 0. The hook never runs inside itself:
// a wait that starts from the hook runs in one piece.
int waitInSlices(int timeoutMs, const std::function<int(int sliceMs)>& waitOnce);

}  // namespace trev
