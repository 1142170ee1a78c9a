#pragma once
// Messages to the service manager that started the display (systemd's notify protocol). Without
// one (no NOTIFY_SOCKET) they do nothing and cost nothing.

namespace platform {

// The display is up: its first screen has been drawn.
void notifyServiceReady();
// The user-interface thread is alive; a manager with a watchdog restarts a display that stops
// saying so.
void notifyServiceAlive();

}  // namespace platform
