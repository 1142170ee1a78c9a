// "DAY DATA LOGGER SETUP - 19": switching the logger, its fill level, deleting the log and
// copying it to the USB drive with every answer the operator can get.
#include "graphs_fixture.h"
#include "logging/long_term_log.h"
#include "screens/graphs/data_logger_setup.h"

namespace graphstest {
namespace {

constexpr const char* kTitle = "DAY DATA LOGGER SETUP - 19";
constexpr const char* kCopyQuestion = "DATA LOG FILE TO USB FLASH CARD";
constexpr const char* kCopied = "Successfully copied following file to USB Flash Drive.";
constexpr const char* kFailed = "FAILED TO COPY";
constexpr const char* kNoDrive = "USB FLASH CARD NOT PRESENT";
constexpr int kOn = 2, kOff = 3, kDelete = 4, kSend = 5, kExit = 1219;
constexpr const char* kLog = "Hard Disk/DataLog/LongTermDataLog.csv";
// The export name at the start time of the harness.
constexpr const char* kExportName = "LongTermDataLog24_06_01_03_08_00.CSV";

class DataLoggerSetup : public GraphScreens {
  protected:
    ui::Window openSetup() {
        open([] {
            shell::environment().openDialog(graphs::kDataLoggerSetupDialog, Screen::SetupSelection);
        });
        return dialog(kTitle);
    }
    // SEND, Yes to the copy question; the answer box is then up.
    void send() {
        press(kTitle, kSend);
        press(kCopyQuestion, ui::kIdYes);
    }
    std::vector<std::string> driveFiles() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(usb.path()))
            names.push_back(e.path().filename().string());
        return names;
    }
    static constexpr const char* kLogBytes = "\r\nDATE,TIME\r\n1,2\r\n";
};

TEST_F(DataLoggerSetup, OpensFromTheShellRegisteredAndSwitchesTheLogger) {
    start();
    logging::LongTermLogFillPercent = 37;
    dryer::dryerState().status.dayDataLoggerSetup().set(1);
    const ui::Window box = openSetup();
    ASSERT_TRUE(box);
    EXPECT_EQ(shell::openDialogWindow(shell::Dialog::DataLogSetup), box);
    EXPECT_TRUE(ui::isItemChecked(box, 1262));
    EXPECT_FALSE(ui::isItemChecked(box, 1046));
    EXPECT_EQ(ui::itemText(box, 1263), "37 %");
    EXPECT_EQ(ui::progressPos(ui::dialogItem(box, 1213)), 37);
    EXPECT_EQ(ui::itemText(box, kSend), "SEND DATA LOG FILES TO USB FLASH CARD");

    auto& state = dryer::dryerState();
    press(kTitle, kOff);
    EXPECT_EQ(state.edit.dayDataLoggerSetup().get(), 0);
    EXPECT_TRUE(state.pending.dayDataLoggerSetup().raised());
    EXPECT_TRUE(ui::isItemChecked(box, 1046));
    press(kTitle, kOn);
    EXPECT_EQ(state.edit.dayDataLoggerSetup().get(), 1);

    // The log step repaints it with the new level.
    logging::LongTermLogFillPercent = 38;
    panel_->call([] { shell::environment().invalidateDialog(shell::Dialog::DataLogSetup, true); });
    panel_->waitIdle();
    EXPECT_EQ(ui::itemText(box, 1263), "38 %");

    press(kTitle, kExit);
    EXPECT_FALSE(ui::isWindow(box));
    EXPECT_FALSE(shell::openDialogWindow(shell::Dialog::DataLogSetup));
}

TEST_F(DataLoggerSetup, DeleteAsksFirst) {
    root_.write(kLog, kLogBytes);
    start();
    openSetup();
    press(kTitle, kDelete);
    press("DELETE?", ui::kIdNo);
    EXPECT_TRUE(fs::exists(root_.path() / kLog));
    press(kTitle, kDelete);
    press("DELETE?", ui::kIdYes);
    EXPECT_FALSE(fs::exists(root_.path() / kLog));
}

TEST_F(DataLoggerSetup, ExportCopiesTheLogByteForByteOnceASecond) {
    root_.write(kLog, kLogBytes);
    start();
    openSetup();
    press(kTitle, kSend);
    // The question names the file that the copy makes.
    EXPECT_TRUE(panel_->findText(std::string("Copy dryer data log file to usb flash drive as ") +
                                 kExportName));
    press(kCopyQuestion, ui::kIdYes);
    ASSERT_TRUE(dialog(kCopied));
    EXPECT_TRUE(panel_->findText(kExportName));
    press(kCopied, ui::kIdOk);
    press("DELETE?", ui::kIdNo);
    EXPECT_EQ(driveFiles(), std::vector<std::string>{kExportName});
    EXPECT_EQ(usb.read(kExportName), kLogBytes);
    EXPECT_EQ(root_.read(kLog), kLogBytes) << "declined: the log stays";

    // The same second gives the same name: the copy on the drive is kept, the new one fails.
    root_.write(kLog, "newer");
    send();
    ASSERT_TRUE(dialog(kFailed));
    EXPECT_TRUE(panel_->findText("Could not copy file to flashdrive."));
    press(kFailed, ui::kIdOk);
    EXPECT_EQ(usb.read(kExportName), kLogBytes);

    // Answered two seconds after it was asked, the copy still takes the name asked about.
    panel_->advance(1000);
    press(kTitle, kSend);
    panel_->advance(2000);
    press(kCopyQuestion, ui::kIdYes);
    press(kCopied, ui::kIdOk);
    press("DELETE?", ui::kIdYes);
    EXPECT_EQ(driveFiles().size(), 2u);
    EXPECT_EQ(usb.read("LongTermDataLog24_06_01_03_08_01.CSV"), "newer");
    EXPECT_FALSE(fs::exists(root_.path() / kLog));
}

TEST_F(DataLoggerSetup, WithoutALogFileTheCopyFailsAndLeavesNothing) {
    start();
    openSetup();
    send();
    ASSERT_TRUE(dialog(kFailed));
    press(kFailed, ui::kIdOk);
    EXPECT_TRUE(driveFiles().empty());
    EXPECT_TRUE(dialog(kTitle));
}

TEST_F(DataLoggerSetup, AMissingDriveIsAskedForUntilItComesOrTheOperatorCancels) {
    root_.write(kLog, kLogBytes);
    fs::remove_all(usb.path());
    start();
    openSetup();
    press(kTitle, kSend);
    EXPECT_TRUE(panel_->findText("Please instert flash card into USB port."));
    press(kNoDrive, ui::kIdRetry);
    ASSERT_TRUE(dialog(kNoDrive)) << "still no drive: asked again";
    press(kNoDrive, ui::kIdCancel);
    EXPECT_FALSE(dialog(kNoDrive));
    EXPECT_FALSE(dialog(kCopyQuestion));

    press(kTitle, kSend);
    fs::create_directories(usb.path());
    press(kNoDrive, ui::kIdRetry);
    ASSERT_TRUE(dialog(kCopyQuestion));
    press(kCopyQuestion, ui::kIdNo);
    EXPECT_TRUE(driveFiles().empty());
}

TEST(ExportName, StampedWithTheLocalDateAndTime) {
    EXPECT_EQ(graphs::exportFileName(testsupport::localTime(2021, 9, 10, 19, 12, 57)),
              "LongTermDataLog21_09_10_19_12_57.CSV");
}

}  // namespace
}  // namespace graphstest
