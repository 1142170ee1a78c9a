#include "link/command_frame.h"

#include <array>

namespace dryer {
namespace {

constexpr int16_t E = -1;  // from edit

constexpr std::array<CommandRecord, kCommandRecordCount> kRecords = {{
    {3, 1, E},     {4, 1, E},     {5, 1, E},   {6, 1, E},   {7, 1, E},  // 1-5 hardware codes
    {8, 1, E},                                                          // 6 drying mode
    {11, 2, E},    {9, 2, E},     {254, 2, E}, {252, 2, E},             // 7-10 heat stages
    {16, 2, E},    {14, 2, E},    {21, 2, E},  {19, 2, E},              // 11-14 cool, unload
    {26, 2, E},    {31, 2, E},    {41, 2, E},  {46, 2, E},              // 15-18 timers
    {49, 1, E},    {50, 1, E},                                          // 19-20
    {53, 5, E},                                                         // 21 clock
    {59, 2, E},    {61, 2, E},    {63, 2, E},  {65, 2, E},  {67, 2, E},  {69, 2, E},   // 22-27
    {95, 1, E},    {96, 1, E},    {97, 1, E},  {98, 1, E},  {99, 1, E},  {100, 1, E},  // 28-33
    {101, 1, E},   {102, 1, E},   {103, 1, E}, {104, 1, E}, {105, 1, E}, {106, 1, E},  // 34-39
    {149, 2, E},   {151, 2, E},   {153, 2, E},                            // 40-42 grain
    {159, 1, E},   {156, 1, E},   {157, 1, E}, {158, 1, E},               // 43-46
    {159, 4, 155}, {161, 1, 230},                                         // 47-48 knob copies
    {163, 1, E},   {187, 1, E},                                           // 49-50
    {160, 3, 156},                                                        // 51 knob copy
    {159, 4, E},                                                          // 52 speed setpoints
    {199, 2, E},   {206, 2, E},   {208, 2, E}, {221, 2, E}, {224, 1, E},  // 53-57
    {226, 1, E},   {227, 1, E},   {228, 1, E}, {229, 1, E},               // 58-61
    {232, 2, E},   {234, 2, E},                                           // 62-63
    {236, 1, E},   {237, 1, E},   {238, 1, E},                            // 64-66
    {241, 2, E},   {243, 2, E},   {246, 1, E}, {257, 1, E},               // 67-70
    {258, 2, E},   {260, 2, E},   {266, 1, E}, {269, 2, E},               // 71-74
    {274, 2, E},   {277, 2, E},   {279, 1, E}, {281, 2, E},               // 75-78
    {285, 1, E},   {287, 1, E},   {289, 1, E}, {293, 1, E},               // 79-82
}};

}  // namespace

std::span<const CommandRecord> commandRecords() {
    return kRecords;
}

bool buildCommandFrame(DryerState& state, uint8_t* frame) {
    auto lock = state.hold();
    uint8_t* flags = state.pending.unlockedFlags();
    uint8_t* edit = state.edit.unlockedBytes();
    const uint8_t* status = state.status.unlockedBytes();
    int i = 2;
    int count = 0;
    for (int n = 1; n <= kCommandRecordCount; ++n) {
        const CommandRecord& r = kRecords[n - 1];
        const bool unlimited = n == kClockRecord || n == kGrainTypeRecord;
        if (!flags[n - 1] || (i >= kRecordIndexLimit && !unlimited)) continue;
        const uint8_t* data = r.statusSource < 0 ? edit + r.address : status + r.statusSource;
        frame[i++] = static_cast<uint8_t>(r.address >> 8);
        frame[i++] = static_cast<uint8_t>(r.address);
        frame[i++] = r.count;
        for (int b = 0; b < r.count; ++b)
            frame[i++] = data[b];
        ++count;
        if (n == kClockRecord) flags[n - 1] = 0;
        if (n == kUserSettingsRecord) {
            flags[n - 1] = 0;
            edit[r.address] &= static_cast<uint8_t>(~0x03);
        }
    }
    // An empty frame is never sent; its length byte reads 2, the bare header.
    frame[0] = static_cast<uint8_t>(count > 0 ? i + 2 : 2);
    frame[1] = static_cast<uint8_t>(count);
    return count > 0;
}

}  // namespace dryer
