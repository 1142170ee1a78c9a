#pragma once
// A DryerSample as a CSV row with its real date and time, for the converter of the log files
// and the export of the shutdown black box. Temperatures as the dryer reports them, in degrees
// F; the year is the caller's, since a sample holds none.

#include <string>

#include "logging/dryer_sample.h"

namespace logging {

// "Date Time,Grain Column Temp (F),Grain Temp In (F),Moist In (%),Grain Temp Out (F),Moist Out
// (%),MR Speed (%)", without a line end.
std::string SampleCsvHeader();
// "2021-12-31 23:59:59,95,60.5,22.2,-2.0,15.5,50", without a line end.
std::string SampleCsvRow(const DryerSample& sample, int year);
// False when the sample's time of day or date cannot be real.
bool SampleTimeValid(const DryerSample& sample);

}  // namespace logging
