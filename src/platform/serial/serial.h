#pragma once
// The serial port to the dryer controller and pseudo-terminal pairs that stand in for the line
// in the simulator and the tests. Every failure is a return value.

#include <cstddef>
#include <cstdint>
#include <string>

struct termios;

namespace platform {

// Turns a port's current termios state into the controller line's: 38400 baud, 8 data bits, even
// parity with checking, 1 stop bit, no byte stripped or translated, raw, non-blocking reads.
// Other line-control fields stay as the driver had them.
bool makeControllerLineTermios(struct termios& tio);

// The line settings as read back from an open port.
struct SerialSettings {
    int baud = 0;
    int dataBits = 0;
    char parity = 'N';  // 'N', 'E' or 'O'
    bool parityChecking = false;
    int stopBits = 0;
    bool stripsNulls = false;  // true when the driver would drop or alter bytes (not raw)
    bool raw = false;          // no echo, no line editing, no signals, no output processing
};

// Cuts short another thread's waitReadable, for an orderly stop that need not wait out a poll.
class Wakeup {
  public:
    Wakeup();
    ~Wakeup();
    Wakeup(const Wakeup&) = delete;
    Wakeup& operator=(const Wakeup&) = delete;

    void wake();
    // Takes back a wake, so that the next wait waits again.
    void reset();
    int fd() const { return fd_; }

  private:
    int fd_ = -1;
};

class SerialPort {
  public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;
    SerialPort(SerialPort&& other) noexcept;
    SerialPort& operator=(SerialPort&& other) noexcept;

    // Opens an existing device for the controller line: 38400 baud, 8 data bits, even parity
    // with checking, 1 stop bit, raw, reads that return at once with whatever has arrived. A
    // setting the device cannot take (a pseudo-terminal has no parity) is left as the device
    // reports it when read back; the open fails only when the device is missing, in use, no
    // terminal, or does not hold a raw 38400-baud 8-bit line. error() then says why.
    bool open(const std::string& device);
    // Takes over an already open descriptor (the end of a pseudo-terminal) as it is.
    void adopt(int fd);
    bool isOpen() const { return fd_ >= 0; }
    void close();
    // Why the last open, read or write failed ("No such file or directory", ...).
    const std::string& error() const { return error_; }
    // True once a read or write found the device gone (unplugged, hung up, the far end of its
    // pseudo-terminal closed): nothing more will pass on this descriptor.
    bool gone() const { return gone_; }
    // True while the far end has hung up; for the master end of a pseudo-terminal, while no
    // display holds the other end.
    bool hungUp() const;

    // Reads what has arrived, up to `size` bytes, without waiting; -1 on error.
    long readAvailable(uint8_t* buffer, size_t size);
    // Waits up to timeoutMs for bytes to arrive; true when some are there, false also when
    // `wakeup` was woken.
    bool waitReadable(int timeoutMs, const Wakeup* wakeup = nullptr);
    // Writes all bytes; false on error.
    bool write(const uint8_t* buffer, size_t size);
    // Discards both the unread input and the unsent output.
    bool purge();
    bool readSettings(SerialSettings& settings) const;

  private:
    bool fail(const std::string& what, int code);
    void noteGone(int code);

    int fd_ = -1;
    bool exclusive_ = false;
    bool gone_ = false;
    std::string error_;
};

// A pseudo-terminal pair: `controller` is the master end, `devicePath` the slave device that the
// display opens as its port.
struct PtyPair {
    SerialPort controller;
    std::string devicePath;
};

bool openPtyPair(PtyPair& pair);

}  // namespace platform
