// The shutdown history dialog in the running display: its list and sorts, the help of a recorded
// shutdown, the hold-to-clear gesture and the copy to a USB drive, with a folder standing in for
// the drive (missing, read-only, full, pulled out).
#include "screens/warnings/history_dialog.h"

#include "platform/sys/drive_watch.h"

#include <sys/mount.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "i18n/dialog/dialog_texts.h"
#include "logging/graph_log.h"
#include "screens/warnings/shutdown_help.h"
#include "screens/warnings/warnings_harness.h"

namespace warningstest {
namespace {

using namespace warnings;

class HistoryDialogTest : public WarningsHarness {
  protected:
    // Three shutdowns a minute apart: rear discharge, a flame failure, a moisture sensor.
    void recordThree() {
        recordShutdown(14, 5);
        panel_->jump(60'000);
        recordShutdown(2, 1);
        panel_->jump(60'000);
        recordShutdown(15, 1);
    }
    // Opens the history the way the view selection screen does; returns the dialog.
    ui::Window open() {
        panel_->post([] { (*shell::dialogOpener(kHistoryDialog))(shell::mainWindow()); });
        return history();
    }
    ui::Window history() { return shell::openDialogWindow(shell::Dialog::ShutdownHistory); }
    ui::Window list() { return ui::dialogItem(history(), kHistoryList); }
    std::vector<std::string> listed() { return rows(list()); }
    bool checked(int radio) { return ui::isItemChecked(history(), radio); }
    // What sits over the history: a confirmation, a message box or the help.
    ui::Window over() {
        const ui::Window top = topDialog();
        return top != history() ? top : ui::Window{};
    }
    void holdExit(int ms) {
        const auto r = ui::screenRect(ui::dialogItem(history(), kHistoryExitButton));
        const int x = (r.left + r.right) / 2;
        const int y = (r.top + r.bottom) / 2;
        panel_->pointerDown(x, y);
        panel_->advance(ms);
        panel_->pointerUp(x, y);
    }
    std::string exported() {
        std::ifstream in(usb_ / "DryerShutdownHistory.txt", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string expectedExport() {
        return i18n::GetWarningText(14, 5) + ";MAIN I/O;Sep 02, 2024;10:14 AM;\n" +
               i18n::GetWarningText(2, 1) + ";FAN/HEATER #1;Sep 02, 2024;10:15 AM;\n" +
               i18n::GetWarningText(15, 1) + ";MOISTURE CONT;Sep 02, 2024;10:16 AM;\n";
    }
    // Presses COPY TO USB and answers Yes to the copy confirmation.
    void copyConfirmed() {
        press(history(), kCopyToUsbButton);
        ASSERT_TRUE(over());
        ASSERT_EQ(ui::windowText(over()), i18n::GetString(439));
        press(over(), 1473);
    }
    void expectDone() {
        ASSERT_TRUE(over());
        EXPECT_TRUE(drew(over(), std::string(kExportDoneText)));
        press(over(), ui::kIdOk);
        EXPECT_FALSE(over());
        EXPECT_EQ(exported(), expectedExport());
    }
};

TEST_F(HistoryDialogTest, ListsNewestFirstAndSortsThreeWays) {
    start();
    recordThree();
    ASSERT_TRUE(open());
    EXPECT_EQ(ui::windowText(history()), i18n::GetString(427));
    EXPECT_EQ(ui::itemText(history(), kCopyToUsbButton),
              i18n::GetString(434) + " " + i18n::GetString(435));
    EXPECT_EQ(ui::itemText(history(), kSortedByDateTimeRadio), i18n::GetString(430));
    EXPECT_EQ(ui::itemText(history(), kSortByNodeIdButton), i18n::GetString(431));
    EXPECT_FALSE(ui::isVisible(ui::dialogItem(history(), kClearHistoryButton)));
    int widths[4] = {};
    panel_->call([&] {
        for (int c = 0; c < 4; ++c)
            widths[c] = ui::listViewColumnWidth(list(), c);
    });
    // The device names fit their column, which takes its room from the warning texts.
    EXPECT_EQ(widths[0] + widths[1], 325 + 90);
    EXPECT_EQ(widths[2], 90);
    EXPECT_EQ(widths[3], 90);
    const auto font = ui::windowFont(list());
    for (const char* name : {"FAN/HEATER INT #4", "MOISTURE CONT", "FAN/HEATER #1"})
        EXPECT_LE(platform::gfx::textExtent(name, font).width + 8, widths[1]) << name;

    EXPECT_EQ(listed(),
              (std::vector<std::string>{
                  i18n::GetWarningText(15, 1) + " | MOISTURE CONT | Sep 02, 2024 | 10:16 AM",
                  i18n::GetWarningText(2, 1) + " | FAN/HEATER #1 | Sep 02, 2024 | 10:15 AM",
                  i18n::GetWarningText(14, 5) + " | MAIN I/O | Sep 02, 2024 | 10:14 AM",
              }));
    EXPECT_TRUE(checked(kSortedByDateTimeRadio));
    EXPECT_FALSE(checked(kSortedByWarningRadio));

    auto firstColumn = [&] {
        std::vector<std::string> out;
        for (const std::string& row : listed())
            out.push_back(row.substr(0, 4));
        return out;
    };
    press(history(), kSortByWarningButton);  // last to first in the warnings' order
    EXPECT_EQ(firstColumn(), (std::vector<std::string>{"0F01", "0E05", "0201"}));
    EXPECT_TRUE(checked(kSortedByWarningRadio));
    EXPECT_FALSE(checked(kSortedByDateTimeRadio));
    press(history(), kSortedByNodeIdRadio);  // the radios sort like their buttons
    EXPECT_EQ(firstColumn(), (std::vector<std::string>{"0F01", "0E05", "0201"}));
    EXPECT_TRUE(checked(kSortedByNodeIdRadio));
    EXPECT_FALSE(checked(kSortedByWarningRadio));
    panel_->advance(1000);
    recordShutdown(14, 1);  // shows at the next fill
    press(history(), kSortByDateTimeButton);
    EXPECT_EQ(firstColumn(), (std::vector<std::string>{"0E01", "0F01", "0201", "0E05"}));

    press(history(), kHistoryExitButton);
    EXPECT_FALSE(history());
}

TEST_F(HistoryDialogTest, ShowHelpFileOpensTheHelpOfTheSelectedRecord) {
    start();
    recordThree();
    ASSERT_TRUE(open());
    press(history(), kShowHelpButton);
    ASSERT_TRUE(over());
    EXPECT_EQ(ui::windowText(over()), i18n::GetString(472));
    EXPECT_TRUE(drew(over(), i18n::GetString(471)));
    press(over(), ui::kIdOk);
    EXPECT_FALSE(shell::openDialogWindow(shell::Dialog::ShutdownHelp));

    panel_->call([&] { ui::listViewSetSelection(list(), 2); });  // the rear discharge
    press(history(), kShowHelpButton);
    const ui::Window help = shell::openDialogWindow(shell::Dialog::ShutdownHelp);
    ASSERT_TRUE(help);
    EXPECT_EQ(helpRequest().node, 14u);
    EXPECT_EQ(helpRequest().warning, 5u);
    EXPECT_EQ(listLines(ui::dialogItem(help, kHelpTextList)), helpTextLines(14, 5));
    EXPECT_FALSE(helpTextLines(14, 5).empty());

    // A live shutdown that comes and goes leaves a help opened from the history alone.
    shutdown(2, 1);
    panel_->advance(100);
    shutdown(0, 0);
    panel_->advance(100);
    EXPECT_FALSE(warningShown());
    EXPECT_EQ(shell::openDialogWindow(shell::Dialog::ShutdownHelp), help);
    press(help, kHelpCloseButton);
    EXPECT_TRUE(shell::periodic().helpFromHistory);
    press(history(), kHistoryExitButton);
    EXPECT_FALSE(shell::periodic().helpFromHistory);
}

// The yellow of the grain column temperature trace in the dialog's black box.
int blackBoxPixels(platform::backend::PanelHarness& panel) {
    namespace gfx = platform::gfx;
    const gfx::Surface screen = panel.screen();
    int count = 0;
    for (int y = 0; y < screen.height(); ++y) {
        for (int x = 0; x < screen.width(); ++x)
            count += screen.colorAt(x, y) == gfx::rgb(255, 255, 0);
    }
    return count;
}

TEST_F(HistoryDialogTest, SelectedShutdownShowsTheGraphOfItsLastHalfHour) {
    start();
    logging::GraphTraceOn.fill(1);
    const platform::FileTime now = platform::localTimeToFileTime(platform::localNow());
    for (int i = 60; i >= 0; --i) {
        logging::LogValues values;
        values.grainColumnTemp = static_cast<uint16_t>(100 + (i % 10) * 5);
        values.moistureIn = static_cast<uint16_t>(200 + i);
        const auto at = platform::fileTimeToLocalTime(now - uint64_t(i) * 10 * 10'000'000);
        ASSERT_TRUE(logging::AppendGraphSample(logging::makeDryerSample(values, at)));
    }
    recordShutdown(14, 5);
    panel_->jump(60'000);
    recordShutdown(2, 1);
    ASSERT_TRUE(open());
    EXPECT_EQ(blackBoxPixels(*panel_), 0) << "nothing selected";
    const auto row = panel_->findText("MAIN I/O");
    ASSERT_TRUE(row);
    const auto at = ui::screenRect(row->window);
    panel_->tap(at.left + (row->text.rect.left + row->text.rect.right) / 2,
                at.top + (row->text.rect.top + row->text.rect.bottom) / 2);
    EXPECT_GT(blackBoxPixels(*panel_), 20);
    screenshot("history_black_box");
}

TEST(HistoryHelpPair, FirstFourCharactersAreTwoHexadecimalPairs) {
    auto pair = [](std::string_view text) {
        const NodeWarning p = parseNodeWarning(text);
        return std::make_pair(p.node, p.warning);
    };
    EXPECT_EQ(pair("0E05 REAR DISCHARGE"), std::make_pair(14u, 5u));
    EXPECT_EQ(pair("0F0B"), std::make_pair(15u, 11u));
    EXPECT_EQ(pair("FFA9"), std::make_pair(255u, 169u));
    EXPECT_EQ(pair("0e0b"), std::make_pair(0u, 0u));  // small letters count as 0
    EXPECT_EQ(pair("User Accepted Auto-Start MC Setup"), std::make_pair(0u, 0u));
    EXPECT_EQ(pair("1G2"), std::make_pair(16u, 32u));
    EXPECT_EQ(pair(""), std::make_pair(0u, 0u));
}

TEST_F(HistoryDialogTest, ExitHeldFiveSecondsClearsTheHistoryAfterConfirming) {
    start();
    recordThree();
    int result = 0;
    panel_->post([&] { result = runShutdownHistory(shell::mainWindow()); });
    ASSERT_TRUE(history());
    holdExit(4000);  // four one-second ticks: an ordinary EXIT
    EXPECT_FALSE(history());
    EXPECT_EQ(result, kHistoryExitButton);

    ASSERT_TRUE(open());
    holdExit(5000);
    ASSERT_TRUE(over());
    EXPECT_EQ(ui::windowText(over()), i18n::GetString(437));
    EXPECT_EQ(ui::itemText(over(), 1471), i18n::GetString(436));
    EXPECT_EQ(ui::itemText(over(), 1468), i18n::GetString(134));
    press(over(), 1469);  // No
    EXPECT_TRUE(history());
    EXPECT_EQ(listed().size(), 3u);

    // Right after the gesture it takes a second with EXIT let go before five seconds count.
    holdExit(5000);
    EXPECT_FALSE(history());
    ASSERT_TRUE(open());
    panel_->advance(1000);
    holdExit(5000);
    press(over(), 1468);  // Yes
    EXPECT_TRUE(listed().empty());
    EXPECT_EQ(shutdownHistoryCount(), 0u);
    EXPECT_TRUE(checked(kSortedByDateTimeRadio));
    press(history(), kHistoryExitButton);
    EXPECT_FALSE(history());
}

TEST_F(HistoryDialogTest, CopyWithoutADriveAsksUntilOneIsPluggedIn) {
    start();
    recordThree();
    ASSERT_TRUE(open());
    press(history(), kCopyToUsbButton);
    ASSERT_TRUE(over());
    EXPECT_EQ(ui::windowText(over()), i18n::GetString(441));
    EXPECT_EQ(ui::itemText(over(), 1476), i18n::GetString(440));
    press(over(), 1477);  // Yes, still without a drive
    ASSERT_TRUE(over());
    EXPECT_EQ(ui::windowText(over()), i18n::GetString(441));
    fs::create_directory(usb_);
    press(over(), 1477);
    ASSERT_TRUE(over());
    EXPECT_EQ(ui::windowText(over()), i18n::GetString(439));
    press(over(), 1474);  // No: nothing is written
    EXPECT_FALSE(over());
    EXPECT_FALSE(fs::exists(usb_ / "DryerShutdownHistory.txt"));
    copyConfirmed();
    expectDone();
}

// A folder standing in for the drive, made read-only or full for a while.
class DriveFolder {
  public:
    explicit DriveFolder(const fs::path& path) : path_(path) { fs::create_directory(path); }
    ~DriveFolder() {
        if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, ignored);
    }
    // True when writing into it fails now.
    bool makeReadOnly() {
        fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_exec);
        if (!writable()) return true;
        // Permissions do not stop the superuser; a read-only file system does.
        fs::permissions(path_, fs::perms::owner_all);
        return mount("ro,size=64k") && !writable();
    }
    void makeWritable() {
        if (mounted_) ::mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT, "size=64k");
        fs::permissions(path_, fs::perms::owner_all);
    }
    // A small file system of its own, filled up. False when none can be mounted here.
    bool fillUp() {
        if (!mount("size=64k")) return false;
        std::ofstream filler(path_ / "filler.bin", std::ios::binary);
        const std::string block(4096, 'f');
        for (int i = 0; i < 64 && filler.write(block.data(), block.size()); ++i)
            filler.flush();
        return true;
    }
    void makeRoom() { fs::remove(path_ / "filler.bin"); }
    // An empty file system of its own, as a freshly plugged drive. False when none can be mounted.
    bool mountEmpty() { return mount("size=64k"); }
    void unmount() {
        if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
        mounted_ = false;
    }

  private:
    bool mount(const std::string& options) {
        const unsigned long flags = options.starts_with("ro") ? MS_RDONLY : 0;
        mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", flags, options.c_str()) == 0;
        return mounted_;
    }
    bool writable() const {
        std::ofstream probe(path_ / "probe");
        const bool ok = probe.is_open();
        probe.close();
        std::error_code ignored;
        fs::remove(path_ / "probe", ignored);
        return ok;
    }

    fs::path path_;
    bool mounted_ = false;
};

TEST_F(HistoryDialogTest, ReadOnlyDriveGivesTheRetryBoxNeverSuccess) {
    start();
    recordThree();
    DriveFolder drive(usb_);
    if (!drive.makeReadOnly()) GTEST_SKIP() << "no way to make a folder read-only here";
    ASSERT_TRUE(open());
    copyConfirmed();
    ASSERT_TRUE(over());
    EXPECT_TRUE(drew(over(), std::string(kExportOpenFailedText)));
    EXPECT_FALSE(drew(over(), std::string(kExportDoneText)));
    press(over(), ui::kIdRetry);  // still read-only: asked again
    ASSERT_TRUE(over());
    EXPECT_TRUE(drew(over(), std::string(kExportOpenFailedText)));
    drive.makeWritable();
    press(over(), ui::kIdRetry);
    expectDone();
}

TEST_F(HistoryDialogTest, FullDriveGivesTheRetryBoxNeverSuccess) {
    start();
    recordThree();
    // A file that cannot take a byte: the copy's file on the drive leads to the full device.
    fs::create_directory(usb_);
    fs::create_symlink("/dev/full", usb_ / "DryerShutdownHistory.txt");
    ASSERT_TRUE(open());
    copyConfirmed();
    ASSERT_TRUE(over());
    EXPECT_TRUE(drew(over(), std::string(kExportWriteFailedText)));
    press(over(), ui::kIdCancel);
    EXPECT_FALSE(over());

    fs::remove(usb_ / "DryerShutdownHistory.txt");
    fs::remove(usb_);
    DriveFolder drive(usb_);
    if (!drive.fillUp()) GTEST_SKIP() << "no small file system to fill here";
    copyConfirmed();
    ASSERT_TRUE(over());
    EXPECT_TRUE(drew(over(), std::string(kExportWriteFailedText)));
    drive.makeRoom();
    press(over(), ui::kIdRetry);
    expectDone();
}

TEST_F(HistoryDialogTest, DrivePulledOutWhileConfirmingGivesTheRetryBox) {
    start();
    recordThree();
    fs::create_directory(usb_);
    ASSERT_TRUE(open());
    press(history(), kCopyToUsbButton);
    ASSERT_TRUE(over());
    fs::remove(usb_);
    press(over(), 1473);
    ASSERT_TRUE(over());
    EXPECT_TRUE(drew(over(), std::string(kExportOpenFailedText)));
    press(over(), ui::kIdRetry);  // the drive is gone: the no-drive question again
    ASSERT_TRUE(over());
    EXPECT_EQ(ui::windowText(over()), i18n::GetString(441));
    press(over(), 1479);  // CANCEL
    EXPECT_FALSE(over());
    EXPECT_TRUE(history());
}

// Without a folder given for it, the drive is whatever is mounted below the media folder when the
// copy goes to it: a plain folder there is no drive, a drive plugged in while the no-drive
// question is up is found by its YES, and one pulled out while the copy is confirmed gives the
// Retry box and then the no-drive question again.
TEST_F(HistoryDialogTest, DriveMountedBelowTheMediaFolderIsFoundWhenTheCopyGoesToIt) {
    start();
    recordThree();
    const fs::path media = root_.path() / "media";
    usb_ = media / "stick";
    fs::create_directory(media);
    DriveFolder drive(usb_);
    auto watch = std::make_shared<platform::DriveWatch>(media.string());
    platform::configureDevicePaths(root_.str(), "", [watch] { return watch->currentDrive(); });
    ASSERT_TRUE(open());
    press(history(), kCopyToUsbButton);
    ASSERT_TRUE(over());
    EXPECT_EQ(ui::windowText(over()), i18n::GetString(441));

    if (!drive.mountEmpty()) GTEST_SKIP() << "no file system can be mounted here";
    press(over(), 1477);  // YES: look again
    ASSERT_TRUE(over());
    ASSERT_EQ(ui::windowText(over()), i18n::GetString(439));
    press(over(), 1473);
    expectDone();

    press(history(), kCopyToUsbButton);
    ASSERT_TRUE(over());
    ASSERT_EQ(ui::windowText(over()), i18n::GetString(439));
    drive.unmount();
    press(over(), 1473);
    ASSERT_TRUE(over());
    EXPECT_TRUE(drew(over(), std::string(kExportOpenFailedText)));
    press(over(), ui::kIdRetry);
    ASSERT_TRUE(over());
    EXPECT_EQ(ui::windowText(over()), i18n::GetString(441));
    press(over(), 1479);  // CANCEL
    EXPECT_FALSE(over());
}

}  // namespace
}  // namespace warningstest

namespace warningstest {
namespace {

// In German the dialog shows device names, column heads, the export message and the message
// box's button in German, while the history and its export keep the English device names.
TEST_F(HistoryDialogTest, GermanShowsStoredEnglishTextsInGerman) {
    ui::setMessageBoxLabelSource(i18n::messageBoxLabel);
    start();
    recordThree();
    panel_->call([] { i18n::SetLanguage(i18n::kGerman); });
    ASSERT_TRUE(open());
    const std::vector<std::string> rows = listed();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_NE(rows[0].find(" | FEUCHTEREGLER | "), std::string::npos) << rows[0];
    EXPECT_NE(rows[1].find(" | GEBL./BRENNER 1 | "), std::string::npos) << rows[1];
    EXPECT_NE(rows[2].find(" | HAUPT-E/A | "), std::string::npos) << rows[2];
    EXPECT_TRUE(drew(list(), "Abschaltung"));
    EXPECT_TRUE(drew(list(), "Knoten"));
    fs::create_directory(usb_);
    copyConfirmed();
    ASSERT_TRUE(over());
    EXPECT_TRUE(drew(over(), "DER ABSCHALTVERLAUF IST AUF DEM USB-STICK."));
    EXPECT_EQ(ui::itemText(over(), ui::kIdOk), "OK");
    press(over(), ui::kIdOk);
    EXPECT_NE(exported().find(";MAIN I/O;"), std::string::npos);
    ui::setMessageBoxLabelSource(nullptr);
}

}  // namespace
}  // namespace warningstest
