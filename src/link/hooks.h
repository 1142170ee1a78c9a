#pragma once
// How the link reaches the screens without knowing them. The shell registers, for each window
// or dialog that shows controller values, a function that asks it to repaint; dialogs register
// while they are open. It also registers the three calls the decoder makes on certain changes.
// Anything not registered is skipped. All calls come from the exchange thread, after the decode
// has finished and released the dryer state, so they may read the state freely; they must not
// draw or block for long.

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>

namespace dryer {

// Every window and dialog the decoder can ask to repaint.
enum class Window : uint8_t {
    DryerPicture,            // DRYER_PIC_WINDOW
    PlenumView,              // CUSTOM_VIEW_WINDOW
    StatusChart,             // AVERAGE_VALUES_WINDOW
    BatchDrying,             // BATCH_DRYING_WINDOW
    RightStatusBar,          // DRYER_RIGHT_STATUS_BAR_WINDOW
    LineGraph,               // LINE_GRAPH_WINDOW
    UnloadStatus,            // UNLOAD_STATUS_WINDOW
    SetupSelection,          // SETUP_SELECTION_WINDOW
    AutoStartConfig,         // AUTO_START_CONFIG_WINDOW
    LoadDelay,               // LOAD_DELAY_CHILD_WINDOW
    OutOfGrain,              // OUT_OF_GRAIN_CHILD_WINDOW
    FanDelay,                // FAN_DELAY_CHILD_WINDOW
    UnloadDelay,             // UNLOAD_DELAY_CHILD_WINDOW
    PlenumSetpoints,         // PLENUM_SETPOINT_CHILD_WINDOW
    GrainSetpoints,          // GRAIN_TEMP_SETPOINT_CHILD_WINDOW
    MoistureControlScreens,  // the moisture-control setup screens
    MeterRollSpeedDialog,    // registered only while the dialog is open (= visible)
    DiagnosticsDialog,
    GrainViewButton,
    UnloadSpeedButton,
    MoistureViewButton,
    MoistureCalibrationDialog,
    MoistureSetpointDialog,
    BushelSetupDialog,
    AutoStartStatusDialog,
    AutoStartScreen,
    LightOutputsDialog,
    SwitchTestDialog,
    MiscButton,
    SetupMenuButton,
    BracketedMcDialog,
    ContinuousFlowSetup,
    StagedBatchSetup,
    MoistureSensorSelection,
    Count
};

constexpr int kWindowCount = static_cast<int>(Window::Count);

// Part of a window, in its client coordinates (right and bottom exclusive).
struct RepaintArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// area == nullptr: the whole window.
using InvalidateFn = std::function<void(bool erase, const RepaintArea* area)>;

class LinkHooks {
  public:
    // Replaces any earlier registration of the window.
    void registerWindow(Window window, InvalidateFn invalidate);
    // After this returns the window's function is not called again.
    void unregisterWindow(Window window);
    bool isRegistered(Window window) const;

    // The screen-layout update and the batch-stage button update of the main window.
    void setScreenLayoutUpdate(std::function<void()> update);
    void setBatchStageButtonUpdate(std::function<void()> update);
    // Writes one shutdown into the history; the decoder has already applied the repeat guard.
    void setShutdownRecorder(std::function<void(uint8_t node, uint8_t warning)> record);

    // Used by the decoder.
    void invalidate(Window window, bool erase, const RepaintArea* area);
    void updateScreenLayout();
    void updateBatchStageButtons();
    void recordShutdown(uint8_t node, uint8_t warning);

  private:
    mutable std::mutex mutex_;
    std::array<InvalidateFn, kWindowCount> windows_;
    std::function<void()> layoutUpdate_;
    std::function<void()> batchStageUpdate_;
    std::function<void(uint8_t, uint8_t)> shutdownRecorder_;
};

}  // namespace dryer
