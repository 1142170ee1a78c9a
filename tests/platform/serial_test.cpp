#include "platform/serial/serial.h"

#include <gtest/gtest.h>
#include <termios.h>

#include "support/temp_dir.h"

namespace platform {
namespace {

TEST(SerialPort, ControllerLineIs38400EvenParityCheckedOneStopBitRaw) {
    // Start from a cooked terminal with odd parity, 7 bits, 2 stop bits and flow control.
    struct termios tio {};
    tio.c_iflag = ICRNL | IXON | ISTRIP | IGNCR | PARMRK;
    tio.c_oflag = OPOST | ONLCR;
    tio.c_cflag = CS7 | CSTOPB | PARENB | PARODD | HUPCL;
    tio.c_lflag = ICANON | ECHO | ISIG | IEXTEN;
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    ASSERT_TRUE(makeControllerLineTermios(tio));
    EXPECT_EQ(cfgetispeed(&tio), B38400);
    EXPECT_EQ(cfgetospeed(&tio), B38400);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_TRUE(tio.c_cflag & PARENB);
    EXPECT_FALSE(tio.c_cflag & PARODD);
    EXPECT_FALSE(tio.c_cflag & CSTOPB);
    EXPECT_TRUE(tio.c_cflag & CREAD);
    EXPECT_TRUE(tio.c_cflag & HUPCL);  // other line-control flags stay as they were
    EXPECT_TRUE(tio.c_iflag & INPCK);
    EXPECT_FALSE(tio.c_iflag & (ISTRIP | IGNCR | ICRNL | INLCR | PARMRK | IXON | IXOFF));
    EXPECT_FALSE(tio.c_oflag & OPOST);
    EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN));
    EXPECT_EQ(tio.c_cc[VMIN], 0);
    EXPECT_EQ(tio.c_cc[VTIME], 0);
}

TEST(SerialPort, OpenAppliesTheLineSettingsToTheDevice) {
    PtyPair pty;
    ASSERT_TRUE(openPtyPair(pty));
    SerialPort port;
    ASSERT_TRUE(port.open(pty.devicePath));
    SerialSettings s;
    ASSERT_TRUE(port.readSettings(s));
    // A pseudo-terminal keeps everything but the character size and parity, which it always
    // reports as 8 bits without parity.
    EXPECT_EQ(s.baud, 38400);
    EXPECT_EQ(s.dataBits, 8);
    EXPECT_TRUE(s.parityChecking);
    EXPECT_EQ(s.stopBits, 1);
    EXPECT_FALSE(s.stripsNulls);
    EXPECT_TRUE(s.raw);
    SerialPort second;
    EXPECT_FALSE(second.open(pty.devicePath));  // not shared
}

TEST(SerialPort, CarriesEveryByteValueBothWaysAndReadsNeverBlock) {
    PtyPair pty;
    ASSERT_TRUE(openPtyPair(pty));
    SerialPort port;
    ASSERT_TRUE(port.open(pty.devicePath));

    uint8_t buf[512];
    EXPECT_EQ(port.readAvailable(buf, sizeof buf), 0);  // nothing there: returns at once

    std::vector<uint8_t> all(256);
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<uint8_t>(i);  // NUL, CR, LF, XON, 0xFF ...
    ASSERT_TRUE(pty.controller.write(all.data(), all.size()));
    std::vector<uint8_t> got;
    while (got.size() < all.size() && port.waitReadable(1000)) {
        const long n = port.readAvailable(buf, sizeof buf);
        ASSERT_GE(n, 0);
        got.insert(got.end(), buf, buf + n);
    }
    EXPECT_EQ(got, all);

    ASSERT_TRUE(port.write(all.data(), all.size()));
    got.clear();
    while (got.size() < all.size() && pty.controller.waitReadable(1000)) {
        const long n = pty.controller.readAvailable(buf, sizeof buf);
        ASSERT_GE(n, 0);
        got.insert(got.end(), buf, buf + n);
    }
    EXPECT_EQ(got, all);
}

TEST(SerialPort, PurgeDropsBytesThatArrivedLate) {
    PtyPair pty;
    ASSERT_TRUE(openPtyPair(pty));
    SerialPort port;
    ASSERT_TRUE(port.open(pty.devicePath));
    const uint8_t late[] = {1, 2, 3};
    ASSERT_TRUE(pty.controller.write(late, sizeof late));
    ASSERT_TRUE(port.waitReadable(1000));
    ASSERT_TRUE(port.purge());
    uint8_t buf[8];
    EXPECT_EQ(port.readAvailable(buf, sizeof buf), 0);
}

TEST(SerialPort, FailuresAreReturnValuesWithTheirReason) {
    testsupport::TempDir dir;
    dir.write("plain", "not a terminal");
    SerialPort port;
    EXPECT_FALSE(port.open("/dev/no-such-serial-port"));
    EXPECT_EQ(port.error(), "No such file or directory");
    EXPECT_FALSE(port.open("/dev/null"));
    EXPECT_EQ(port.error(), "not a serial device");
    EXPECT_FALSE(port.open(dir.str() + "/plain"));
    EXPECT_EQ(port.error(), "not a serial device");
    EXPECT_FALSE(port.isOpen());
    uint8_t b = 0;
    EXPECT_EQ(port.readAvailable(&b, 1), -1);
    EXPECT_FALSE(port.write(&b, 1));
    EXPECT_FALSE(port.purge());
    SerialSettings s;
    EXPECT_FALSE(port.readSettings(s));
}

// A pseudo-terminal drops the parity bit the first open asked for and then refuses it; opening
// it again (a display restarted against a running simulator) must still work.
TEST(SerialPort, OpensTheSamePseudoTerminalAgainAfterClosing) {
    PtyPair pty;
    ASSERT_TRUE(openPtyPair(pty));
    for (int i = 0; i < 3; ++i) {
        SerialPort port;
        ASSERT_TRUE(port.open(pty.devicePath)) << i << ": " << port.error();
        SerialSettings s;
        ASSERT_TRUE(port.readSettings(s));
        EXPECT_EQ(s.baud, 38400);
        EXPECT_TRUE(s.raw);
        SerialPort second;
        EXPECT_FALSE(second.open(pty.devicePath));
        EXPECT_EQ(second.error(), "in use by another program");
    }
}

TEST(SerialPort, ADeviceWhoseFarEndClosedIsGoneOnReadAndWrite) {
    PtyPair pty;
    ASSERT_TRUE(openPtyPair(pty));
    SerialPort reader;
    ASSERT_TRUE(reader.open(pty.devicePath));
    uint8_t buf[8] = {};
    EXPECT_EQ(reader.readAvailable(buf, sizeof buf), 0);
    EXPECT_FALSE(reader.gone());
    EXPECT_FALSE(reader.hungUp());
    pty.controller.close();
    EXPECT_TRUE(reader.hungUp());
    EXPECT_EQ(reader.readAvailable(buf, sizeof buf), -1);  // reads as empty, but it hung up
    EXPECT_TRUE(reader.gone());

    PtyPair other;
    ASSERT_TRUE(openPtyPair(other));
    SerialPort writer;
    ASSERT_TRUE(writer.open(other.devicePath));
    other.controller.close();
    EXPECT_FALSE(writer.write(buf, sizeof buf));
    EXPECT_TRUE(writer.gone());
    EXPECT_EQ(writer.error(), "Input/output error");
    writer.close();
    EXPECT_FALSE(writer.gone());
}

// A stop must not wait out the poll of a thread that waits on its line: a woken wait ends at once
// (an endless wait here would hang the test), and after a reset waits again.
TEST(SerialPort, AWokenWaitEndsAtOnceAndAResetOneWaitsAgain) {
    PtyPair pty;
    ASSERT_TRUE(openPtyPair(pty));
    SerialPort port;
    ASSERT_TRUE(port.open(pty.devicePath));
    Wakeup wakeup;
    wakeup.wake();
    EXPECT_FALSE(port.waitReadable(-1, &wakeup));
    const uint8_t byte = 1;
    ASSERT_TRUE(pty.controller.write(&byte, 1));
    EXPECT_FALSE(port.waitReadable(-1, &wakeup));  // woken wins over bytes waiting
    wakeup.reset();
    EXPECT_TRUE(port.waitReadable(-1, &wakeup));
}

}  // namespace
}  // namespace platform
