#include "sim/controller.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "link/crc.h"
#include "link/field_table.h"

namespace sim {
namespace {

constexpr int kShortFrameBytes = 300;
constexpr uint8_t kStrayBytes[] = {0x55, 0xAA, 0x00};

std::vector<std::string> split(std::string_view line) {
    std::vector<std::string> words;
    std::istringstream in{std::string(line)};
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

// Decimal or 0x-hexadecimal.
bool number(const std::string& text, int& value) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* first = text.data() + (hex ? 2 : 0);
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, value, hex ? 16 : 10);
    return error == std::errc() && end == last;
}

std::string valueText(const uint8_t* bytes, dryer::Kind kind) {
    if (kind == dryer::Kind::Time) {
        return std::to_string(bytes[0]) + ":" + (bytes[1] < 10 ? "0" : "") +
               std::to_string(bytes[1]);
    }
    return std::to_string(dryer::decodeValue(bytes, kind));
}

const char* const kHelp =
    "commands: run | stop | shutdown NODE WARNING | clear | silence SECONDS | badcrc N | "
    "short N | stray N | late N [MS] | set ADDR VALUE | refuse ADDR | clamp ADDR MAX | "
    "accept ADDR | autostart | sequence SECONDS | supply on|off | defaults on|off | knob SPEED | "
    "show | picture tower2|tower3|single|bin [FANS]";

// The dryer layouts the display draws: module count code and model flags.
struct PictureLayout {
    const char* name;
    uint8_t moduleCount;
    uint8_t modelFlags;
};
constexpr PictureLayout kPictures[] = {
    {"tower2", 1, 0x00}, {"tower3", 2, 0x00}, {"single", 0, 0x80}, {"bin", 0, 0x20}};

// Fan/heaters by count code.
constexpr int kFanHeaterCounts[] = {1, 2, 3, 4, 6};

// The count code of 1, 2, 3, 4 or 6 fan/heaters; -1 for any other count.
int fanHeaterCode(int count) {
    for (int code = 0; code < 5; ++code) {
        if (kFanHeaterCounts[code] == count) return code;
    }
    return -1;
}

}  // namespace

// The dryer is running when the display first looks at it.
Controller::Controller() {
    model_.startConfiguration();
    model_.setRunning(true);
}

void Controller::advanceTo(int64_t nowMs) {
    if (modelMs_ < 0) modelMs_ = nowMs;
    while (nowMs - modelMs_ >= 1000) {
        model_.advanceSecond();
        modelMs_ += 1000;
    }
}

Answer Controller::receive(const uint8_t* bytes, size_t length, int64_t nowMs) {
    advanceTo(nowMs);
    Answer answer;
    const DisplayFrame frame = parseDisplayFrame(bytes, length);
    switch (frame.kind) {
        case DisplayFrame::Kind::Bad:
            answer.trace = "-> unreadable frame, " + std::to_string(length) + " bytes\n";
            return answer;
        case DisplayFrame::Kind::Idle:
            answer.trace = "-> idle\n";
            break;
        case DisplayFrame::Kind::Resync:
            answer.trace = "-> resync\n";
            break;
        case DisplayFrame::Kind::Command:
            answer.trace = "-> command, records: " + std::to_string(frame.records.size()) + "\n";
            for (const WriteRecord& r : frame.records) {
                answer.trace += "     " + describeRecord(r) + "\n";
                apply(r);
            }
            break;
    }
    if (nowMs < silentUntilMs_) {
        answer.trace += "<- (silent)\n";
        return answer;
    }
    answer.bytes = statusFrame();
    answer.trace += describeStatus(answer.bytes);
    if (badCrcFrames_ > 0) {
        --badCrcFrames_;
        answer.bytes[dryer::kStatusDataSize] ^= 0xFF;
        answer.trace += "   sent with a bad CRC\n";
    } else if (shortFrames_ > 0) {
        --shortFrames_;
        answer.bytes.resize(kShortFrameBytes);
        answer.trace += "   cut to " + std::to_string(kShortFrameBytes) + " bytes\n";
    } else if (strayFrames_ > 0) {
        --strayFrames_;
        answer.bytes.insert(answer.bytes.begin(), std::begin(kStrayBytes), std::end(kStrayBytes));
        answer.trace += "   after 3 stray bytes\n";
    }
    if (lateFrames_ > 0) {
        --lateFrames_;
        answer.delayMs = lateMs_;
        answer.trace += "   late by " + std::to_string(lateMs_) + " ms\n";
    }
    return answer;
}

void Controller::apply(const WriteRecord& record) {
    for (size_t i = 0; i < record.bytes.size(); ++i) {
        applyByte(record.address + static_cast<int>(i), record.bytes[i]);
    }
}

void Controller::applyByte(int address, uint8_t value) {
    if (address < 3 || address >= dryer::kStatusDataSize) return;
    if (const auto rule = clampMax_.find(address); rule != clampMax_.end()) {
        if (rule->second < 0) return;
        value = static_cast<uint8_t>(std::min<int>(value, rule->second));
    }
    switch (address) {
        case 238:
            if (value & 0x08) table_.bushelCounter().set(0);
            break;
        case 266:
            value &= static_cast<uint8_t>(~0x03);  // save / restore commands are not kept
            break;
        case 279:
            if (value & 0x01) {
                model_.startAutoStart();
            } else if (model_.autoStartActive()) {
                model_.cancelAutoStart();
            }
            value = static_cast<uint8_t>((value & ~0x01) | (model_.autoStartActive() ? 1 : 0));
            break;
        default:
            break;
    }
    table_.setAt(address, value);
}

std::vector<uint8_t> Controller::statusFrame() {
    const auto image = table_.snapshot();
    std::vector<uint8_t> frame(image.begin(), image.end());
    dryer::appendCrc(frame.data(), dryer::kStatusDataSize);
    return frame;
}

// The fields that differ from the previous frame sent, by name.
std::string Controller::describeStatus(const std::vector<uint8_t>& frame) {
    std::string text = "<- status";
    int changed = 0;
    for (const dryer::FieldInfo& f : dryer::statusFields()) {
        if (f.first >= dryer::kStatusDataSize) continue;
        for (int e = 0; e < f.count; ++e) {
            const int at = f.first + e * f.stride;
            const int width = dryer::widthOf(f.kind);
            const bool same =
                !lastSent_.empty() &&
                std::equal(frame.begin() + at, frame.begin() + at + width, lastSent_.begin() + at);
            if (same) continue;
            text += (changed++ % 6 == 0) ? "\n     " : "  ";
            text += f.name;
            if (f.count > 1) text += "[" + std::to_string(e) + "]";
            text += "=" + valueText(frame.data() + at, f.kind);
        }
    }
    lastSent_ = frame;
    return text + (changed == 0 ? " (unchanged)\n" : "\n");
}

std::string Controller::command(std::string_view line, int64_t nowMs) {
    advanceTo(nowMs);
    const std::vector<std::string> w = split(line);
    if (w.empty()) return "";
    const std::string& verb = w[0];
    int a = 0;
    int b = 0;
    if (verb == "help") return kHelp;
    if (verb == "run") {
        model_.setRunning(true);
        return "running";
    }
    if (verb == "stop") {
        model_.setRunning(false);
        return "stopped";
    }
    if (verb == "shutdown" && w.size() == 3 && number(w[1], a) && number(w[2], b)) {
        model_.raiseShutdown(static_cast<uint8_t>(a), static_cast<uint8_t>(b));
        return "shutdown node " + w[1] + " warning " + w[2];
    }
    if (verb == "clear") {
        model_.clearShutdown();
        return "shutdown cleared";
    }
    if (verb == "autostart") {
        model_.startAutoStart();
        return model_.autoStartActive() ? "auto-start running" : "auto-start not possible";
    }
    if (verb == "sequence" && w.size() == 2 && number(w[1], a) && a >= 0 && a <= 3600) {
        model_.setAutoStartLength(a);
        return a > 0 ? "auto-start sequences last " + w[1] + " s"
                     : "auto-start sequences as fitted";
    }
    if ((verb == "supply" || verb == "defaults") && w.size() == 2 &&
        (w[1] == "on" || w[1] == "off")) {
        const bool on = w[1] == "on";
        if (verb == "supply") model_.setGrainSupply(on);
        if (verb == "defaults") table_.alarmFlags().setBit(5, on);
        return verb + " " + w[1];
    }
    if (verb == "knob" && w.size() == 2 && number(w[1], a)) {
        model_.turnKnob(a);
        return "knob at " + w[1];
    }
    if (verb == "set" && w.size() == 3 && number(w[1], a) && number(w[2], b) && a >= 0 &&
        a < dryer::kStatusDataSize && b >= 0 && b <= 255) {
        table_.setAt(a, static_cast<uint8_t>(b));
        return dryer::fieldName(a) + " (" + std::to_string(a) + ") = " + std::to_string(b);
    }
    if (verb == "picture") return pictureCommand(w);
    if (verb == "show") {
        return std::string(model_.running() ? "running" : "stopped") +
               ", plenum 1: " + std::to_string(table_.plenumTemp(5).get()) +
               " F, moisture out: " + std::to_string(table_.moistureOut().get()) +
               ", roll: " + std::to_string(table_.meterRollSpeed().get()) +
               " %, shutdown: " + std::to_string(table_.shutdownNodeId().get()) + "/" +
               std::to_string(table_.shutdownWarningId().get());
    }
    return faultCommand(w, nowMs);
}

std::string Controller::pictureCommand(const std::vector<std::string>& w) {
    int fans = 0;
    const int code = w.size() == 3 && number(w[2], fans) ? fanHeaterCode(fans) : -1;
    for (const PictureLayout& layout : kPictures) {
        if (w.size() < 2 || w.size() > 3 || w[1] != layout.name) continue;
        if (w.size() == 3 && code < 0) break;
        table_.moduleCountCode().set(layout.moduleCount);
        table_.dryerModelFlags().set(layout.modelFlags);
        if (code >= 0) table_.fanHeaterCountCode().set(code);
        const int fitted = table_.fanHeaterCountCode().get();
        return std::string("picture ") + layout.name + ", " +
               std::to_string(fitted <= 4 ? kFanHeaterCounts[fitted] : 1) + " fan/heaters";
    }
    return "usage: picture tower2|tower3|single|bin [1|2|3|4|6]";
}

std::string Controller::faultCommand(const std::vector<std::string>& w, int64_t nowMs) {
    const std::string& verb = w[0];
    int a = 0;
    int b = 0;
    const bool one = w.size() == 2 && number(w[1], a) && a >= 0;
    if (verb == "silence" && one) {
        silentUntilMs_ = nowMs + int64_t{a} * 1000;
        return "silent for " + w[1] + " s";
    }
    if (verb == "badcrc" && one) badCrcFrames_ = a;
    if (verb == "short" && one) shortFrames_ = a;
    if (verb == "stray" && one) strayFrames_ = a;
    if ((verb == "badcrc" || verb == "short" || verb == "stray") && one) {
        return "next " + w[1] + " answers: " + verb;
    }
    if (verb == "late" &&
        (one || (w.size() == 3 && number(w[1], a) && number(w[2], b) && b >= 0))) {
        lateFrames_ = a;
        if (w.size() == 3) lateMs_ = b;
        return "next " + w[1] + " answers late by " + std::to_string(lateMs_) + " ms";
    }
    const bool address = w.size() >= 2 && number(w[1], a) && a >= 0 && a < dryer::kStatusDataSize;
    if (verb == "refuse" && address && w.size() == 2) {
        clampMax_[a] = -1;
        return "writes to " + dryer::fieldName(a) + " (" + w[1] + ") refused";
    }
    if (verb == "clamp" && address && w.size() == 3 && number(w[2], b) && b >= 0) {
        clampMax_[a] = b;
        return "writes to " + dryer::fieldName(a) + " (" + w[1] + ") clamped to " + w[2];
    }
    if (verb == "accept" && address && w.size() == 2) {
        clampMax_.erase(a);
        return "writes to " + dryer::fieldName(a) + " (" + w[1] + ") taken as sent";
    }
    return "unknown command (try help)";
}

}  // namespace sim
