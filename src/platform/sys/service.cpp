#include "platform/sys/service.h"

#include <systemd/sd-daemon.h>

namespace platform {

void notifyServiceReady() {
    sd_notify(0, "READY=1");
}

void notifyServiceAlive() {
    sd_notify(0, "WATCHDOG=1");
}

}  // namespace platform
