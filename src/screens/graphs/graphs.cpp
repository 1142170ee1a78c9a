#include "screens/graphs/graphs.h"

#include "screens/graphs/data_logger_setup.h"
#include "screens/graphs/graph_window.h"
#include "screens/graphs/sample_time_dialog.h"
#include "screens/graphs/status_chart.h"
#include "screens/graphs/time_date_dialog.h"
#include "screens/graphs/view_selection.h"
#include "shell/hooks.h"

namespace graphs {

void wireGraphScreens() {
    using shell::Screen;
    shell::setScreenProcedure(Screen::Graph, graphWindowProc);
    shell::setScreenProcedure(Screen::ViewSelection, viewSelectionProc);
    shell::setScreenProcedure(Screen::AverageValues, statusChartProc);
    shell::setDialogOpener(kGraphSetupDialog, runGraphSetupDialog);
    shell::setDialogOpener(kSampleTimeDialog, runSampleTimeDialog);
    shell::setDialogOpener(kClearTableDialog, runClearTableDialog);
    shell::setDialogOpener(kTimeDateDialog, runTimeDateDialog);
    shell::setDialogOpener(kDataLoggerSetupDialog, runDataLoggerSetupDialog);
    shell::setDialogOpener(kSystemInfoDialog, runSystemInfoDialog);
}

}  // namespace graphs
