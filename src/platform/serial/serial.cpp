#include "platform/serial/serial.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform {

bool makeControllerLineTermios(struct termios& tio) {
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | PARODD | CRTSCTS);
    tio.c_cflag |= CS8 | PARENB | CREAD | CLOCAL;
    // Parity errors are checked; IGNPAR drops the damaged byte so the frame fails its length or
    // CRC test instead of carrying a marker byte.
    tio.c_iflag &= ~static_cast<tcflag_t>(PARMRK | ISTRIP | IGNBRK | BRKINT | INLCR | IGNCR |
                                          ICRNL | IXON | IXOFF | IXANY);
    tio.c_iflag |= INPCK | IGNPAR;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    return ::cfsetispeed(&tio, B38400) == 0 && ::cfsetospeed(&tio, B38400) == 0;
}

namespace {

// Starts from the driver's state and changes only the line's own fields. A device that refuses
// parity (a pseudo-terminal, once it has dropped the parity bit an earlier open asked for) gets the
// line without it; what it holds is checked by reading it back.
bool applyControllerLineSettings(int fd) {
    struct termios tio {};
    if (::tcgetattr(fd, &tio) != 0 || !makeControllerLineTermios(tio)) return false;
    if (::tcsetattr(fd, TCSANOW, &tio) == 0) return true;
    if (errno != EINVAL) return false;
    tio.c_cflag &= ~static_cast<tcflag_t>(PARENB);
    return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

bool holdsControllerLine(const SerialSettings& s) {
    return s.baud == 38400 && s.dataBits == 8 && s.stopBits == 1 && s.raw && !s.stripsNulls;
}

// EIO, ENXIO and ENODEV: the device behind the descriptor is gone for good.
bool meansGone(int code) {
    return code == EIO || code == ENXIO || code == ENODEV;
}

int baudOf(speed_t speed) {
    switch (speed) {
        case B9600:
            return 9600;
        case B19200:
            return 19200;
        case B38400:
            return 38400;
        case B57600:
            return 57600;
        case B115200:
            return 115200;
        default:
            return 0;
    }
}

}  // namespace

SerialPort::~SerialPort() {
    close();
}

SerialPort::SerialPort(SerialPort&& other) noexcept
    : fd_(other.fd_), exclusive_(other.exclusive_), gone_(other.gone_), error_(other.error_) {
    other.fd_ = -1;
    other.exclusive_ = false;
}

SerialPort& SerialPort::operator=(SerialPort&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = other.fd_;
        exclusive_ = other.exclusive_;
        gone_ = other.gone_;
        error_ = other.error_;
        other.fd_ = -1;
        other.exclusive_ = false;
    }
    return *this;
}

bool SerialPort::open(const std::string& device) {
    close();
    error_.clear();
    fd_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0 && errno == EBUSY) return fail("in use by another program", 0);
    if (fd_ < 0) return fail("", errno);
    if (!::isatty(fd_)) return fail("not a serial device", 0);
    // Not shared: the lock turns away another copy of this program (even one run as root, which
    // TIOCEXCL lets through), TIOCEXCL every other opener.
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) return fail("in use by another program", 0);
    if (::ioctl(fd_, TIOCEXCL) != 0) return fail("cannot have it to itself", errno);
    exclusive_ = true;
    if (!applyControllerLineSettings(fd_)) return fail("cannot set up the line", errno);
    SerialSettings settings;
    if (!readSettings(settings) || !holdsControllerLine(settings)) {
        return fail("does not take 38400 baud, 8 data bits, 1 stop bit, raw", 0);
    }
    return true;
}

bool SerialPort::fail(const std::string& what, int code) {
    error_ = what;
    if (code != 0) error_ += (what.empty() ? "" : ": ") + std::string(std::strerror(code));
    close();
    return false;
}

void SerialPort::noteGone(int code) {
    gone_ = true;
    error_ = code != 0 ? std::strerror(code) : "hung up";
}

bool SerialPort::hungUp() const {
    if (fd_ < 0) return false;
    struct pollfd p {
        fd_, 0, 0
    };
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL));
}

void SerialPort::adopt(int fd) {
    close();
    fd_ = fd;
}

void SerialPort::close() {
    if (fd_ < 0) return;
    // A pseudo-terminal keeps its exclusive mode after the last close while its master lives;
    // without this, a display started again against the same simulator would be turned away.
    if (exclusive_) ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    exclusive_ = false;
    gone_ = false;
}

long SerialPort::readAvailable(uint8_t* buffer, size_t size) {
    if (fd_ < 0) return -1;
    size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd_, buffer + got, size - got);
        if (n > 0) {
            got += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            if (meansGone(errno)) noteGone(errno);
            return got ? static_cast<long>(got) : -1;
        }
        // A hung-up terminal reads as empty, like an idle line; only poll tells them apart.
        if (n == 0 && got == 0 && hungUp()) {
            noteGone(0);
            return -1;
        }
        break;
    }
    return static_cast<long>(got);
}

bool SerialPort::waitReadable(int timeoutMs, const Wakeup* wakeup) {
    if (fd_ < 0) return false;
    struct pollfd p[2] = {{fd_, POLLIN, 0}, {wakeup ? wakeup->fd() : -1, POLLIN, 0}};
    return ::poll(p, wakeup ? 2 : 1, timeoutMs) > 0 && (p[0].revents & POLLIN) &&
           !(p[1].revents & POLLIN);
}

Wakeup::Wakeup() : fd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

Wakeup::~Wakeup() {
    if (fd_ >= 0) ::close(fd_);
}

void Wakeup::wake() {
    const uint64_t one = 1;
    if (fd_ >= 0 && ::write(fd_, &one, sizeof one) != sizeof one) return;
}

void Wakeup::reset() {
    uint64_t count = 0;
    if (fd_ >= 0 && ::read(fd_, &count, sizeof count) != sizeof count) return;
}

bool SerialPort::write(const uint8_t* buffer, size_t size) {
    if (fd_ < 0) return false;
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd_, buffer + done, size - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n < 0 && (errno == EINTR)) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            struct pollfd p {
                fd_, POLLOUT, 0
            };
            if (::poll(&p, 1, 100) <= 0) return false;
            if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) {
                noteGone(0);
                return false;
            }
        } else {
            if (meansGone(errno)) noteGone(errno);
            return false;
        }
    }
    return true;
}

bool SerialPort::purge() {
    return fd_ >= 0 && ::tcflush(fd_, TCIOFLUSH) == 0;
}

bool SerialPort::readSettings(SerialSettings& s) const {
    struct termios tio {};
    if (fd_ < 0 || ::tcgetattr(fd_, &tio) != 0) return false;
    s.baud = baudOf(::cfgetispeed(&tio));
    switch (tio.c_cflag & CSIZE) {
        case CS5:
            s.dataBits = 5;
            break;
        case CS6:
            s.dataBits = 6;
            break;
        case CS7:
            s.dataBits = 7;
            break;
        default:
            s.dataBits = 8;
            break;
    }
    s.parity = (tio.c_cflag & PARENB) ? ((tio.c_cflag & PARODD) ? 'O' : 'E') : 'N';
    s.parityChecking = (tio.c_iflag & INPCK) != 0;
    s.stopBits = (tio.c_cflag & CSTOPB) ? 2 : 1;
    s.stripsNulls = (tio.c_iflag & (ISTRIP | IGNBRK | INLCR | IGNCR | ICRNL | PARMRK)) != 0;
    s.raw = !(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN)) && !(tio.c_oflag & OPOST) &&
            !(tio.c_iflag & (IXON | IXOFF));
    return true;
}

bool openPtyPair(PtyPair& pair) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master < 0) return false;
    char name[128];
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        ::ptsname_r(master, name, sizeof name) != 0) {
        ::close(master);
        return false;
    }
    // The master end carries raw bytes too.
    struct termios tio {};
    if (::tcgetattr(master, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(master, TCSANOW, &tio);
    }
    pair.controller.adopt(master);
    pair.devicePath = name;
    return true;
}

}  // namespace platform
