#include "support/notify_socket.h"

#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace testsupport {

NotifySocket::NotifySocket() {
    const std::string path = dir_.str() + "/notify";
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) throw std::runtime_error("socket path too long");
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    fd_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("cannot bind the notify socket");
    ::setenv("NOTIFY_SOCKET", path.c_str(), 1);
}

NotifySocket::~NotifySocket() {
    ::unsetenv("NOTIFY_SOCKET");
    ::close(fd_);
}

std::vector<std::string> NotifySocket::take() {
    std::vector<std::string> messages;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::recv(fd_, buffer, sizeof buffer, 0);
        if (got < 0) break;
        messages.emplace_back(buffer, static_cast<size_t>(got));
    }
    return messages;
}

}  // namespace testsupport
