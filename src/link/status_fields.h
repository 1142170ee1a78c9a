#pragma once
// The controller's parameter table as it arrives in every status frame: one line per field, in
// frame order. A field's offset is at once its place in the frame, its parameter address and its
// index in `status` and `edit`.
//
//   FIELD(name, offset, kind, repaint)
//   ARRAY(name, offset of element 0, count, stride, kind, repaint)
//
// kind: U8 (code or bit set), LE16 / BE16 (unsigned words, low or high byte first), BE16S
// (signed, high byte first), LE32, Time (two bytes, larger unit first: minutes and seconds, or
// hours and minutes). `repaint` lists the windows the decoder asks to repaint when the field
// changes; NOCOPY marks the bytes the decoder never copies into `status`.
// grainTemp runs backwards: element 0 lies at 93, element 2 at 89.

// clang-format off
#define ORVANE_STATUS_FIELDS(FIELD, ARRAY)                                                          \
    ARRAY(frameHeader,               0,  3,  1, U8,    NOCOPY)                                     \
    FIELD(fanHeaterCountCode,        3,          U8,    W(PlenumView) | W(PlenumSetpoints))        \
    FIELD(moduleCountCode,           4,          U8,    NONE)                                      \
    FIELD(fuelType,                  5,          U8,    NONE)                                      \
    FIELD(loadSystem,                6,          U8,    NONE)                                      \
    FIELD(dryerLengthCode,           7,          U8,    NONE)                                      \
    FIELD(dryingMode,                8,          U8,    W(BatchDrying) | W(SetupSelection)         \
                                                        | W(PlenumSetpoints) | W(GrainSetpoints)) \
    FIELD(heatStageTime,             9,          Time,  W(BatchDrying))                            \
    FIELD(heatStageTimeSetpoint,    11,          Time,  W(BatchDrying))                            \
    FIELD(batchStatus13,            13,          U8,    W(BatchDrying))                            \
    FIELD(coolStageTime,            14,          Time,  W(BatchDrying))                            \
    FIELD(coolStageTimeSetpoint,    16,          Time,  W(BatchDrying))                            \
    FIELD(batchStatus18,            18,          U8,    W(BatchDrying))                            \
    FIELD(unloadStageTime,          19,          Time,  W(BatchDrying))                            \
    FIELD(unloadStageTimeSetpoint,  21,          Time,  W(BatchDrying))                            \
    FIELD(batchStatus23,            23,          U8,    W(BatchDrying))                            \
    FIELD(outOfGrainElapsed,        24,          Time,  W(RightStatusBar))                         \
    FIELD(outOfGrainTimerSetpoint,  26,          Time,  W(OutOfGrain))                             \
    FIELD(outOfGrainFlags,          28,          U8,    W(RightStatusBar))                         \
    FIELD(statusWord29,             29,          LE16,  NONE)                                      \
    FIELD(loadStartupDelay,         31,          Time,  W(LoadDelay))                              \
    ARRAY(reserved33,               33,  6,  1, U8,    NOCOPY)                                     \
    FIELD(loadDelayElapsed,         39,          Time,  W(RightStatusBar))                         \
    FIELD(unloadCleanoutDelay,      41,          Time,  W(UnloadDelay))                            \
    FIELD(timerFlags43,             43,          U8,    W(RightStatusBar))                         \
    FIELD(statusWord44,             44,          LE16,  NONE)                                      \
    FIELD(fanDelay,                 46,          Time,  W(FanDelay))                               \
    FIELD(reserved48,               48,          U8,    NOCOPY)                                    \
    FIELD(meteringRollReverse,      49,          U8,    W(DryerPicture) | W(DiagnosticsDialog))    \
    FIELD(plenumTempManager,        50,          U8,    W(MoistureControlScreens))                 \
    FIELD(statusByte51,             51,          U8,    NONE)                                      \
    FIELD(mcLearningMinutes,        52,          U8,    W(DryerPicture) | W(MeterRollSpeedDialog)  \
                                                        | W(RightStatusBar))                       \
    ARRAY(clock,                    53,  5,  1, U8,    NOCOPY)                                     \
    FIELD(statusByte58,             58,          U8,    NONE)                                      \
    ARRAY(plenumTempSetpoint,       59,  6,  2, LE16,  W(PlenumSetpoints) | W(PlenumView))         \
    ARRAY(plenumTemp,               71,  6,  2, LE16,  W(PlenumView))                              \
    ARRAY(statusWords83,            83,  3,  2, LE16,  NONE)                                       \
    ARRAY(grainTemp,                93,  3, -2, LE16,  W(GrainViewButton) | W(UnloadStatus)        \
                                                        | W(UnloadSpeedButton))                    \
    ARRAY(burnerDifferential,       95,  6,  1, U8,    NONE)                                       \
    ARRAY(burnerMode,              101,  6,  1, U8,    W(DiagnosticsDialog))                       \
    ARRAY(reserved107,             107,  6,  1, U8,    NOCOPY)                                     \
    ARRAY(rightBarFlags,           113,  6,  1, U8,    W(RightStatusBar) | W(DiagnosticsDialog))   \
    ARRAY(reserved119,             119,  6,  1, U8,    NOCOPY)                                     \
    ARRAY(fanHeaterOutputs,        125,  6,  1, U8,    W(PlenumView))                              \
    ARRAY(fanHeaterStatus,         131,  6,  1, U8,    W(PlenumView) | W(AutoStartStatusDialog))   \
    ARRAY(fanHeaterStatusC,        137,  6,  1, U8,    W(PlenumView))                              \
    ARRAY(fanHeaterStatusD,        143,  6,  1, U8,    W(PlenumView) | W(LineGraph)                \
                                                        | W(DiagnosticsDialog))                    \
    FIELD(grainTempSetpoint,       149,          LE16,  W(GrainSetpoints) | W(LineGraph))          \
    FIELD(grainHiTempSetpoint,     151,          LE16,  W(DryerPicture) | W(GrainSetpoints))       \
    FIELD(grainLoTempSetpoint,     153,          LE16,  W(DryerPicture) | W(GrainSetpoints))       \
    ARRAY(meterRollKnobSpeed,      155,  4,  1, U8,    W(UnloadStatus) | W(UnloadSpeedButton)      \
                                                        | W(MeterRollSpeedDialog))                 \
    ARRAY(meterRollSpeedSetpoint,  159,  4,  1, U8,    NOCOPY)                                     \
    FIELD(bushelSetup,             163,          U8,    NONE)                                      \
    FIELD(bushelCounter,           164,          LE32,  W(BushelSetupDialog))                      \
    FIELD(statusWord168,           168,          LE16,  W(DryerPicture) | W(AutoStartStatusDialog))\
    FIELD(reserved170,             170,          U8,    NOCOPY)                                    \
    FIELD(statusFlags171,          171,          U8,    W(RightStatusBar) | W(StatusChart)         \
                                                        | W(BatchDrying) | W(AutoStartStatusDialog))\
    FIELD(statusFlags172,          172,          U8,    W(RightStatusBar) | W(StatusChart))        \
    FIELD(bushelRate,              173,          BE16,  NONE)                                      \
    FIELD(statusWord175,           175,          LE16,  NONE)                                      \
    FIELD(lightOutputs,            177,          LE16,  W(LightOutputsDialog))                     \
    FIELD(operatingModeFlags,      179,          U8,    W(SwitchTestDialog) | W(LineGraph)         \
                                                        | W(OutOfGrain) | W(MiscButton))           \
    ARRAY(switchInputs,            180,  3,  1, U8,    W(SwitchTestDialog))                        \
    FIELD(statusByte183,           183,          U8,    W(SwitchTestDialog))                       \
    FIELD(grainTempSelect,         184,          U8,    W(LineGraph) | W(UnloadStatus))            \
    FIELD(shutdownWarningId,       185,          U8,    NONE)                                      \
    FIELD(shutdownNodeId,          186,          U8,    NONE)                                      \
    FIELD(moistureControlMode,     187,          U8,    W(MeterRollSpeedDialog)                    \
                                                        | W(MoistureControlScreens)                \
                                                        | W(BatchDrying))                          \
    FIELD(alarmFlags,              188,          U8,    W(RightStatusBar))                         \
    FIELD(moistureOut,             189,          BE16,  W(MoistureViewButton)                      \
                                                        | W(MoistureCalibrationDialog))            \
    FIELD(moistureIn,              191,          BE16,  W(MoistureViewButton)                      \
                                                        | W(MoistureCalibrationDialog))            \
    FIELD(grainTempOut,            193,          BE16S, W(GrainViewButton)                         \
                                                        | W(MoistureCalibrationDialog))            \
    FIELD(grainTempIn,             195,          BE16S, W(GrainViewButton)                         \
                                                        | W(MoistureCalibrationDialog))            \
    FIELD(statusWord197,           197,          BE16,  W(UnloadStatus))                           \
    FIELD(moistureSetpoint,        199,          BE16,  W(MoistureSetpointDialog) | W(LineGraph)   \
                                                        | W(AutoStartConfig))                      \
    FIELD(mcByte201,               201,          U8,    W(MoistureSetpointDialog)                  \
                                                        | W(MeterRollSpeedDialog))                 \
    FIELD(mcByte202,               202,          U8,    W(MoistureControlScreens))                 \
    FIELD(mcByte203,               203,          U8,    W(MoistureControlScreens))                 \
    FIELD(mcWord204,               204,          LE16,  NOCOPY)                                    \
    ARRAY(unloadRateLimits,        206,  2,  2, BE16,  W(MoistureControlScreens))                  \
    ARRAY(reserved210,             210,  6,  1, U8,    NOCOPY)                                     \
    ARRAY(mcWords216,              216,  2,  2, LE16,  W(MoistureControlScreens)                   \
                                                        | W(MoistureCalibrationDialog))            \
    FIELD(statusByte220,           220,          U8,    W(MoistureControlScreens) | W(DryerPicture))\
    FIELD(batchCounter,            221,          BE16,  W(BatchDrying))                            \
    FIELD(statusByte223,           223,          U8,    W(DryerPicture))                           \
    FIELD(dryingOptions,           224,          U8,    W(MoistureControlScreens))                 \
    FIELD(dryerModelFlags,         225,          U8,    W(SwitchTestDialog) | W(PlenumView)        \
                                                        | W(PlenumSetpoints))                      \
    ARRAY(bracketedMcSettings,     226,  4,  1, U8,    NONE)                                       \
    FIELD(statusByte230,           230,          U8,    W(BracketedMcDialog))                      \
    FIELD(reserved231,             231,          U8,    NOCOPY)                                    \
    ARRAY(moistureSensorCalA,      232,  2,  2, BE16,  W(MoistureCalibrationDialog))               \
    ARRAY(meterRollVoltageSetup,   236,  3,  1, U8,    NONE)                                       \
    FIELD(statusWord239,           239,          LE16,  W(LightOutputsDialog))                     \
    ARRAY(moistureSensorCalB,      241,  2,  2, BE16,  W(MoistureCalibrationDialog))               \
    FIELD(meterRollSpeed,          245,          U8,    W(DryerPicture))                           \
    FIELD(watchdogSetup,           246,          U8,    W(SetupMenuButton))                        \
    FIELD(moistureValue247,        247,          BE16,  W(DryerPicture) | W(BatchDrying))          \
    FIELD(moistureValue249,        249,          BE16,  W(DryerPicture))                           \
    FIELD(statusByte251,           251,          U8,    W(DryerPicture))                           \
    FIELD(loHeatStageTime,         252,          Time,  W(BatchDrying))                            \
    FIELD(loHeatStageTimeSetpoint, 254,          Time,  W(BatchDrying))                            \
    FIELD(reserved256,             256,          U8,    NOCOPY)                                    \
    FIELD(plenumTempOptions,       257,          U8,    W(BatchDrying) | W(MiscButton)             \
                                                        | W(PlenumSetpoints) | W(GrainSetpoints)) \
    FIELD(plenum2LoSetpoint,       258,          LE16,  W(PlenumSetpoints))                        \
    FIELD(plenumLoSetpoint,        260,          LE16,  W(PlenumSetpoints))                        \
    ARRAY(statusWords262,          262,  2,  2, LE16,  W(DryerPicture) | W(BatchDrying))           \
    FIELD(userSettings,            266,          U8,    W(ContinuousFlowSetup) | W(StagedBatchSetup)\
                                                        | W(PlenumSetpoints) | W(GrainSetpoints)) \
    FIELD(alarmCountdownMinutes,   267,          U8,    NONE)                                      \
    FIELD(alarmCountdownSeconds,   268,          U8,    NONE)                                      \
    FIELD(coolDownTime,            269,          Time,  W(FanDelay))                               \
    FIELD(statusByte271,           271,          U8,    W(RightStatusBar))                         \
    FIELD(stagedBatchWord272,      272,          LE16,  NONE)                                      \
    FIELD(stagedBatchWord274,      274,          LE16,  W(StagedBatchSetup))                       \
    FIELD(reserved276,             276,          U8,    NOCOPY)                                    \
    FIELD(dryingWord277,           277,          LE16,  W(StagedBatchSetup))                       \
    FIELD(hardwareOptions,         279,          U8,    NONE)                                      \
    FIELD(statusFlags280,          280,          U8,    W(AutoStartStatusDialog) | W(LineGraph)    \
                                                        | W(MeterRollSpeedDialog)                  \
                                                        | W(MoistureControlScreens)                \
                                                        | W(DryerPicture))                         \
    FIELD(averageIncomingMoisture, 281,          LE16,  W(AutoStartConfig)                         \
                                                        | W(AutoStartStatusDialog))                \
    FIELD(autoStartWord283,        283,          LE16,  W(AutoStartConfig))                        \
    FIELD(grainType,               285,          U8,    NONE)                                      \
    FIELD(reserved286,             286,          U8,    NOCOPY)                                    \
    FIELD(moistureSensorType,      287,          U8,    W(MoistureSensorSelection))                \
    FIELD(statusByte288,           288,          U8,    W(AutoStartStatusDialog))                  \
    FIELD(dayDataLoggerSetup,      289,          U8,    NONE)                                      \
    FIELD(statusWord290,           290,          LE16,  W(RightStatusBar))                         \
    FIELD(statusByte292,           292,          U8,    NONE)                                      \
    FIELD(samplerOptions,          293,          U8,    NONE)                                      \
    ARRAY(autoStartStageTimes,     294, 12,  2, LE16,  W(AutoStartStatusDialog))                   \
    FIELD(autoStartTotalTime,      318,          LE16,  W(AutoStartStatusDialog))                  \
    FIELD(statusWord320,           320,          LE16,  W(AutoStartStatusDialog))                  \
    FIELD(autoStartElapsedTime,    322,          LE16,  W(AutoStartStatusDialog))                  \
    ARRAY(statusBytes324,          324,  5,  1, U8,    W(AutoStartStatusDialog) | W(AutoStartScreen))\
    FIELD(crc,                     329,          LE16,  NOCOPY)
// clang-format on
