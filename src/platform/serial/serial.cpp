#include "platform/serial/serial.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

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

bool applyControllerLineSettings(int fd) {
    struct termios tio {};
    // Start from the driver's state and change only the line's own fields.
    return ::tcgetattr(fd, &tio) == 0 && makeControllerLineTermios(tio) &&
           ::tcsetattr(fd, TCSANOW, &tio) == 0;
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

SerialPort::SerialPort(SerialPort&& other) noexcept : fd_(other.fd_) {
    other.fd_ = -1;
}

SerialPort& SerialPort::operator=(SerialPort&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

bool SerialPort::open(const std::string& device) {
    close();
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    // Not shared: a second opener of the same device is refused.
    if (::isatty(fd) && ::ioctl(fd, TIOCEXCL) != 0) {
        ::close(fd);
        return false;
    }
    if (!applyControllerLineSettings(fd)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void SerialPort::adopt(int fd) {
    close();
    fd_ = fd;
}

void SerialPort::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
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
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EIO)
            return got ? static_cast<long>(got) : -1;
        break;
    }
    return static_cast<long>(got);
}

bool SerialPort::waitReadable(int timeoutMs) {
    if (fd_ < 0) return false;
    struct pollfd p {
        fd_, POLLIN, 0
    };
    return ::poll(&p, 1, timeoutMs) > 0 && (p.revents & POLLIN);
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
        } else {
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
