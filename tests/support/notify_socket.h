#pragma once
// Stands in for the service manager: a datagram socket bound in a scratch folder and named in
// NOTIFY_SOCKET for as long as the object lives.

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace testsupport {

class NotifySocket {
  public:
    NotifySocket();
    ~NotifySocket();
    NotifySocket(const NotifySocket&) = delete;
    NotifySocket& operator=(const NotifySocket&) = delete;

    // The messages received since the last call, oldest first; never waits (a sender's datagram
    // is queued before its send returns).
    std::vector<std::string> take();

  private:
    TempDir dir_;
    int fd_ = -1;
};

}  // namespace testsupport
