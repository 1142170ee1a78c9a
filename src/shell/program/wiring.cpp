#include "shell/program/wiring.h"

#include <string>

#include "i18n/language.h"
#include "link/dryer_state.h"
#include "screens/warnings/shutdown_history.h"
#include "shell/hooks.h"
#include "sim/simulator.h"

namespace shell {
namespace {

std::string warningText(int nodeId, int warning) {
    return i18n::GetWarningText(nodeId, warning);
}

void wireHistory() {
    warnings::setWarningTextProvider(warningText);
    dryer::dryerState().hooks.setShutdownRecorder(
        [](uint8_t node, uint8_t warning) { warnings::recordShutdown(node, warning); });
    setOperatorEventRecorder([] { warnings::recordOperatorEvent(); });
}

sim::Simulator& simulator() {
    static sim::Simulator instance;
    return instance;
}

}  // namespace

void wireProgram() { wireHistory(); }

bool startSimulator(platform::SerialPort controllerEnd) {
    return simulator().start(std::move(controllerEnd));
}

void stopSimulator() { simulator().stop(); }

}  // namespace shell
