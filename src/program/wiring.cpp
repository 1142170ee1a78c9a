#include "program/wiring.h"

#include "link/dryer_state.h"
#include "screens/autostart/autostart.h"
#include "screens/batch/batch.h"
#include "screens/diagnostics/diagnostics.h"
#include "screens/graphs/graphs.h"
#include "screens/keypads/keypads.h"
#include "screens/modes/modes.h"
#include "screens/moisture/moisture.h"
#include "screens/setpoints/setpoints.h"
#include "screens/setup/setup.h"
#include "screens/status/status_screens.h"
#include "screens/warnings/shutdown_history.h"
#include "screens/warnings/warning_window.h"
#include "shell/hooks.h"
#include "sim/simulator.h"

namespace program {
using namespace shell;  // the composition root drives the shell throughout
namespace {

ShutdownListener& shutdownListener() {
    static ShutdownListener listener;
    return listener;
}

void wireHistory() {
    dryer::dryerState().hooks.setShutdownRecorder([](uint8_t node, uint8_t warning) {
        warnings::recordShutdown(node, warning);
        if (const ShutdownListener& listener = shutdownListener()) listener(node, warning);
    });
    setOperatorEventRecorder([] { warnings::recordOperatorEvent(); });
}

sim::Simulator& simulator() {
    static sim::Simulator instance;
    return instance;
}

}  // namespace

void wireProgram() {
    wireHistory();
    status::wireStatusScreens();
    keypads::wireKeypads();
    setpoints::wireSetpointScreens();
    warnings::registerWarningScreens();
    graphs::wireGraphScreens();
    autostart::registerAutoStart();
    setup::wireSetupScreens();
    diagnostics::wireDiagnostics();
    batch::wireBatchScreen();
    modes::wireDryingModeScreens();
    moisture::wireMoistureScreens();
}

void setShutdownListener(ShutdownListener listener) {
    shutdownListener() = std::move(listener);
}

bool startSimulator(platform::SerialPort controllerEnd) {
    return simulator().start(std::move(controllerEnd));
}

void stopSimulator() {
    simulator().stop();
}

std::string simulatorCommand(std::string_view line) {
    return simulator().command(line);
}

}  // namespace program
