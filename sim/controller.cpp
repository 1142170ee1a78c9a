#include "sim/controller.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "link/crc.h"
#include "link/field_table.h"

namespace sim {
namespace {

constexpr int kShortFrameBytes = 300;
constexpr int kFirstWritable = 3;  // after the three bytes the frame does not interpret
constexpr int kLastAddress = dryer::kStatusDataSize - 1;
constexpr int kMaxFaultFrames = 1000;
constexpr int kMaxLateMs = 10000;
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

// Every line command: how it is written, with its ranges, and what it does.
struct CommandInfo {
    std::string_view verb;
    std::string_view usage;
    std::string_view text;
};
constexpr CommandInfo kCommands[] = {
    {"run", "run", "starts the dryer (the panel's START)"},
    {"stop", "stop", "stops the dryer (the panel's STOP)"},
    {"shutdown", "shutdown NODE WARNING", "warning WARNING (1-255) of device NODE (1-15); stops"},
    {"clear", "clear", "clears the shutdown"},
    {"autostart", "autostart", "starts the auto-start sequence (dryer stopped)"},
    {"sequence", "sequence SECONDS", "auto-starts last SECONDS (0-3600; 0: as fitted)"},
    {"supply", "supply on|off", "grain for the load there or not"},
    {"defaults", "defaults on|off", "the DEFAULTS dip switch (bit 5 of alarmFlags)"},
    {"knob", "knob SPEED", "turns the metering-roll knob to SPEED (0-100 %)"},
    {"picture", "picture tower2|tower3|single|bin [FANS]",
     "the dryer's layout; FANS fan/heaters: 1, 2, 3, 4 or 6"},
    {"switch", "switch ADDR BIT on|off|free",
     "holds input BIT (0-7) of byte ADDR (179-183), or frees it"},
    {"lamp", "lamp PIN short|ok", "shorts output PIN (J1-01..08, J2-01..08) or mends it"},
    {"set", "set ADDR VALUE", "sets table byte ADDR (0-328) to VALUE (0-255)"},
    {"refuse", "refuse ADDR", "ignores the display's writes to byte ADDR (3-328)"},
    {"clamp", "clamp ADDR MAX", "takes writes to byte ADDR (3-328) up to MAX (0-255)"},
    {"accept", "accept ADDR", "takes writes to byte ADDR (3-328) as sent again"},
    {"silence", "silence SECONDS", "answers nothing for SECONDS (0-3600)"},
    {"badcrc", "badcrc N", "the next N answers (0-1000) with a wrong CRC"},
    {"short", "short N", "the next N answers (0-1000) cut to 300 bytes"},
    {"stray", "stray N", "3 stray bytes before the next N answers (0-1000)"},
    {"late", "late N [MS]", "the next N answers (0-1000) MS late (0-10000, 400)"},
    {"show", "show", "prints the dryer's main values"},
    {"help", "help", "lists these commands"},
    {"quit", "quit", "ends orvane-sim (typed at its console)"},
};

const CommandInfo* findCommand(std::string_view verb) {
    for (const CommandInfo& info : kCommands) {
        if (info.verb == verb) return &info;
    }
    return nullptr;
}

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

// "J1-01" .. "J1-08" = outputs 0 to 7, "J2-01" .. "J2-08" = 8 to 15; -1 otherwise.
int outputOfPin(const std::string& pin) {
    if (pin.size() != 5 || pin[0] != 'J' || (pin[1] != '1' && pin[1] != '2') || pin[2] != '-' ||
        pin[3] != '0' || pin[4] < '1' || pin[4] > '8') {
        return -1;
    }
    return (pin[1] - '1') * 8 + (pin[4] - '1');
}

}  // namespace

// The words of one command line, checked against what its command takes. The first complaint
// is kept and becomes the reply.
class Arguments {
  public:
    Arguments(const std::vector<std::string>& words, const CommandInfo& info)
        : w_(words), info_(info) {}

    const std::string& verb() const { return w_[0]; }
    size_t size() const { return w_.size() - 1; }
    const std::string& word(size_t i) const { return w_[i + 1]; }
    bool ok() const { return complaint_.empty(); }

    // Between `least` and `most` words after the verb.
    bool count(size_t least, size_t most) {
        if (size() >= least && size() <= most) return true;
        return complain("takes " +
                        (least == most ? std::to_string(least)
                                       : std::to_string(least) + " to " + std::to_string(most)) +
                        (most == 1 ? " value" : " values") + ", not " + std::to_string(size()));
    }
    // Word i as a number from low to high.
    bool number(size_t i, std::string_view name, int low, int high, int& value) {
        if (i < size() && sim::number(word(i), value) && value >= low && value <= high) return true;
        return complain(std::string(name) + " is a number from " + std::to_string(low) + " to " +
                        std::to_string(high) + (i < size() ? ", not " + word(i) : ""));
    }
    // Word i as one of the choices.
    bool choice(size_t i, std::string_view name, std::initializer_list<std::string_view> choices) {
        for (std::string_view c : choices) {
            if (i < size() && word(i) == c) return true;
        }
        std::string list;
        for (std::string_view c : choices)
            list += (list.empty() ? "" : "|") + std::string(c);
        return complain(std::string(name) + " is " + list + (i < size() ? ", not " + word(i) : ""));
    }
    bool complain(const std::string& what) {
        if (complaint_.empty()) complaint_ = what;
        return false;
    }
    std::string reply() const {
        return std::string(info_.verb) + ": " + complaint_ +
               " (usage: " + std::string(info_.usage) + ")";
    }

  private:
    const std::vector<std::string>& w_;
    const CommandInfo& info_;
    std::string complaint_;
};

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

std::string commandHelp() {
    size_t width = 0;
    for (const CommandInfo& info : kCommands)
        width = std::max(width, info.usage.size());
    std::string text;
    for (const CommandInfo& info : kCommands) {
        text += "  " + std::string(info.usage) + std::string(width + 2 - info.usage.size(), ' ') +
                std::string(info.text) + "\n";
    }
    return text;
}

// Numbers accept decimal or 0x-hexadecimal. A wrong line changes nothing.
std::string Controller::command(std::string_view line, int64_t nowMs) {
    advanceTo(nowMs);
    const std::vector<std::string> w = split(line);
    if (w.empty()) return "";
    const CommandInfo* info = findCommand(w[0]);
    if (info == nullptr) return "unknown command '" + w[0] + "' (try help)";
    Arguments args(w, *info);
    const std::string reply = dryerCommand(args, nowMs);
    return args.ok() ? reply : args.reply();
}

std::string Controller::dryerCommand(Arguments& args, int64_t nowMs) {
    const std::string verb = args.verb();
    int a = 0;
    int b = 0;
    if (verb == "help" && args.count(0, 0)) return "commands:\n" + commandHelp();
    if (verb == "quit") args.complain("only orvane-sim's console ends with it");
    if (verb == "run" && args.count(0, 0)) {
        model_.setRunning(true);
        model_.pulseInput(183, 0);  // START
        return "running";
    }
    if (verb == "stop" && args.count(0, 0)) {
        model_.setRunning(false);
        model_.pulseInput(179, 0);  // STOP
        return "stopped";
    }
    if (verb == "shutdown" && args.count(2, 2) && args.number(0, "NODE", 1, 15, a) &&
        args.number(1, "WARNING", 1, 255, b)) {
        model_.raiseShutdown(static_cast<uint8_t>(a), static_cast<uint8_t>(b));
        return "shutdown node " + std::to_string(a) + " warning " + std::to_string(b);
    }
    if (verb == "clear" && args.count(0, 0)) {
        model_.clearShutdown();
        return "shutdown cleared";
    }
    if (verb == "autostart" && args.count(0, 0)) {
        model_.startAutoStart();
        return model_.autoStartActive() ? "auto-start running" : "auto-start not possible";
    }
    if (verb == "sequence" && args.count(1, 1) && args.number(0, "SECONDS", 0, 3600, a)) {
        model_.setAutoStartLength(a);
        return a > 0 ? "auto-start sequences last " + std::to_string(a) + " s"
                     : "auto-start sequences as fitted";
    }
    if ((verb == "supply" || verb == "defaults") && args.count(1, 1) &&
        args.choice(0, "the value", {"on", "off"})) {
        const bool on = args.word(0) == "on";
        if (verb == "supply") model_.setGrainSupply(on);
        if (verb == "defaults") table_.alarmFlags().setBit(5, on);
        return verb + " " + args.word(0);
    }
    if (verb == "knob" && args.count(1, 1) && args.number(0, "SPEED", 0, 100, a)) {
        const int before = table_.meterRollKnobSpeed(2).get();
        model_.turnKnob(a);
        if (a != before) model_.pulseInput(183, a < before ? 5 : 6);  // MR LEFT / MR RIGHT
        return "knob at " + std::to_string(a);
    }
    if (verb == "set" && args.count(2, 2) && args.number(0, "ADDR", 0, kLastAddress, a) &&
        args.number(1, "VALUE", 0, 255, b)) {
        table_.setAt(a, static_cast<uint8_t>(b));
        // The panel's inputs are rewritten by the model every step: hold the whole byte instead.
        if (a >= 179 && a <= 183) {
            for (int bit = 0; bit < 8; ++bit)
                model_.forceInput(a, bit, (b >> bit) & 1);
        }
        return dryer::fieldName(a) + " (" + std::to_string(a) + ") = " + std::to_string(b);
    }
    if (verb == "show" && args.count(0, 0)) {
        return std::string(model_.running() ? "running" : "stopped") +
               ", plenum 1: " + std::to_string(table_.plenumTemp(5).get()) +
               " F, moisture out: " + std::to_string(table_.moistureOut().get()) +
               ", roll: " + std::to_string(table_.meterRollSpeed().get()) +
               " %, shutdown: " + std::to_string(table_.shutdownNodeId().get()) + "/" +
               std::to_string(table_.shutdownWarningId().get());
    }
    if (verb == "picture") return pictureCommand(args);
    if (verb == "switch" || verb == "lamp") return panelCommand(args);
    return faultCommand(args, nowMs);
}

std::string Controller::pictureCommand(Arguments& args) {
    int fans = 0;
    if (!args.count(1, 2) || !args.choice(0, "the layout", {"tower2", "tower3", "single", "bin"}))
        return "";
    if (args.size() == 2 && (!args.number(1, "FANS", 1, 6, fans) || fanHeaterCode(fans) < 0)) {
        args.complain("FANS is 1, 2, 3, 4 or 6, not " + args.word(1));
        return "";
    }
    for (const PictureLayout& layout : kPictures) {
        if (args.word(0) != layout.name) continue;
        table_.moduleCountCode().set(layout.moduleCount);
        table_.dryerModelFlags().set(layout.modelFlags);
        if (fans > 0) table_.fanHeaterCountCode().set(fanHeaterCode(fans));
    }
    const int fitted = table_.fanHeaterCountCode().get();
    return "picture " + args.word(0) + ", " +
           std::to_string(fitted <= 4 ? kFanHeaterCounts[fitted] : 1) + " fan/heaters";
}

std::string Controller::panelCommand(Arguments& args) {
    int address = 0;
    int bit = 0;
    if (args.verb() == "switch") {
        if (!args.count(3, 3) || !args.number(0, "ADDR", 179, 183, address) ||
            !args.number(1, "BIT", 0, 7, bit) ||
            !args.choice(2, "the state", {"on", "off", "free"}))
            return "";
        const std::string& state = args.word(2);
        model_.forceInput(address, bit, state == "on" ? 1 : (state == "off" ? 0 : -1));
        return "input " + std::to_string(address) + " bit " + std::to_string(bit) + " " + state;
    }
    if (!args.count(2, 2)) return "";
    const int output = outputOfPin(args.word(0));
    if (output < 0) {
        args.complain("PIN is J1-01 to J1-08 or J2-01 to J2-08, not " + args.word(0));
        return "";
    }
    if (!args.choice(1, "the state", {"short", "ok"})) return "";
    model_.setOutputShorted(output, args.word(1) == "short");
    return "output " + args.word(0) + (args.word(1) == "short" ? " shorted" : " ok");
}

std::string Controller::faultCommand(Arguments& args, int64_t nowMs) {
    const std::string verb = args.verb();
    int a = 0;
    int b = 0;
    if (verb == "silence" && args.count(1, 1) && args.number(0, "SECONDS", 0, 3600, a)) {
        silentUntilMs_ = nowMs + int64_t{a} * 1000;
        return "silent for " + std::to_string(a) + " s";
    }
    if ((verb == "badcrc" || verb == "short" || verb == "stray") && args.count(1, 1) &&
        args.number(0, "N", 0, kMaxFaultFrames, a)) {
        (verb == "badcrc" ? badCrcFrames_ : verb == "short" ? shortFrames_ : strayFrames_) = a;
        return "next " + std::to_string(a) + " answers: " + verb;
    }
    if (verb == "late" && args.count(1, 2) && args.number(0, "N", 0, kMaxFaultFrames, a) &&
        (args.size() == 1 || args.number(1, "MS", 0, kMaxLateMs, b))) {
        lateFrames_ = a;
        if (args.size() == 2) lateMs_ = b;
        return "next " + std::to_string(a) + " answers late by " + std::to_string(lateMs_) + " ms";
    }
    if ((verb == "refuse" || verb == "accept") && args.count(1, 1) &&
        args.number(0, "ADDR", kFirstWritable, kLastAddress, a)) {
        if (verb == "refuse") clampMax_[a] = -1;
        if (verb == "accept") clampMax_.erase(a);
        return "writes to " + dryer::fieldName(a) + " (" + std::to_string(a) + ") " +
               (verb == "refuse" ? "refused" : "taken as sent");
    }
    if (verb == "clamp" && args.count(2, 2) &&
        args.number(0, "ADDR", kFirstWritable, kLastAddress, a) &&
        args.number(1, "MAX", 0, 255, b)) {
        clampMax_[a] = b;
        return "writes to " + dryer::fieldName(a) + " (" + std::to_string(a) + ") clamped to " +
               std::to_string(b);
    }
    return "";
}

}  // namespace sim
