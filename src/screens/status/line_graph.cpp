// LINE_GRAPH_WINDOW: a grain moisture reading and a grain temperature in large digits, with the
// labels of the sensors shown, the active setpoint and the moisture-control mode. Touching a
// value steps to the next sensor.
#include <cstdio>
#include <string>

#include "i18n/language.h"
#include "link/dryer_state.h"
#include "platform/ui/controls.h"
#include "screens/status/status_draw.h"
#include "screens/status/status_screens.h"
#include "screens/status/status_text.h"

namespace status {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

namespace {

constexpr gfx::Color kGrey = gfx::rgb(150, 150, 150);
constexpr gfx::Color kMoisture = gfx::rgb(100, 250, 250);
constexpr gfx::Color kMoistureLabel = gfx::rgb(80, 200, 200);
constexpr gfx::Color kYellow = gfx::rgb(255, 255, 0);
constexpr gfx::Color kDimYellow = gfx::rgb(200, 200, 0);

constexpr gfx::Rect kTemperatureLabels{0, 78, 51, 138};

// 0 incoming, 1 outgoing.
int gMoistureView = 0;
// 0 the dryer's own value, 1 incoming, 2 outgoing.
int gGrainTempView = 0;

ui::Window gMoistureButton;
ui::Window gTemperatureButton;

std::string captionOf(int mode, bool automatic, bool oneSetpoint, bool engaged) {
    struct Caption {
        int number;
        const char* english;
    };
    static constexpr Caption kNames[] = {
        {727, "BASIC MC"}, {728, "3-SPEED MC"}, {729, "ADVANCED MC"}};
    static constexpr Caption kManual[] = {
        {730, "BASIC MC : MANUAL"}, {731, "3-SPEED MC : MANUAL"}, {732, "ADVANCED MC : MANUAL"}};
    static constexpr Caption kAuto[] = {
        {733, "BASIC MC : AUTO : 2SP"}, {734, "3-SPEED MC : AUTO"}, {735, "ADVANCED MC : AUTO"}};
    static constexpr Caption kNone{736, "NO MC SELECTED"};
    static constexpr Caption kOneSetpoint{737, "BASIC MC : AUTO : 1SP"};
    const Caption& caption = mode < 1 || mode > 3       ? kNone
                             : !engaged                 ? kNames[mode - 1]
                             : !automatic               ? kManual[mode - 1]
                             : mode == 1 && oneSetpoint ? kOneSetpoint
                                                        : kAuto[mode - 1];
    return i18n::GetStringOr(caption.number, caption.english);
}

void drawCaption(gfx::Painter& p, const dryer::ParameterImage& s) {
    const int value = s.moistureControlMode().get();
    const int mode = value & 0x07;
    const bool engaged = (s.operatingModeFlags().get() & 0x06) != 0;
    gfx::Color color = engaged ? gfx::rgb(0, 0, 255) : gfx::rgb(0, 255, 0);
    if (mode < 1 || mode > 3) color = gfx::rgb(255, 0, 0);
    drawFitted(p, captionOf(mode, (value & 0x80) != 0, (value & 0x40) != 0, engaged),
               {0, 145, 235, 170}, 22, 500, color, gfx::kAlignCenter);
}

void setCaption(ui::Window window, int number, std::string_view english) {
    const std::string caption = i18n::GetStringOr(number, english);
    if (ui::windowText(window) != caption) ui::setWindowText(window, caption);
}

// `label` with `spaces` on each side, as far as they fit `width` at the labels' size.
std::string padded(const std::string& label, int spaces, int width) {
    const std::string pad(static_cast<size_t>(spaces), ' ');
    const std::string wide = pad + label + pad;
    return gfx::textExtent(wide, gfx::font(13, 700)).width <= width ? wide : label;
}

void drawLabel(gfx::Painter& p, std::string_view label, const gfx::Rect& rect, bool current,
               gfx::Color highlight, gfx::Color dim) {
    const gfx::FontSpec font = gfx::fitFont(label, gfx::font(13, 700), rect.width(), 11);
    const unsigned flags = gfx::kAlignCenter | gfx::kSingleLine;
    if (current) {
        p.drawText(label, rect, font, {gfx::colors::kBlack, flags, highlight});
    } else {
        p.drawText(label, rect, font, {dim, flags});
    }
}

void drawPanel(gfx::Painter& p, const gfx::Rect& client) {
    const auto& s = dryer::dryerState().status;
    p.fillRect(client, gfx::colors::kBlack);
    const std::pair<gfx::Point, gfx::Point> lines[] = {
        {{235, 0}, {235, 190}}, {{0, 75}, {235, 75}},    {{0, 140}, {235, 140}},
        {{200, 5}, {200, 70}},  {{200, 80}, {200, 135}}, {{52, 5}, {52, 70}},
        {{52, 80}, {52, 135}}};
    for (const auto& [from, to] : lines)
        p.drawLine(from, to, kGrey, 1);
    drawFitted(p, "%", {170, 0, 200, 40}, 35, 900, kMoisture, gfx::kAlignCenter);
    drawFitted(p, std::string(kDegree) + "F", {162, 76, 200, 110}, 35, 900, kYellow,
               gfx::kAlignCenter);
    drawCaption(p, s);
    const int mode = s.moistureControlMode().get() & 0x07;
    const gfx::FontSpec small = gfx::font(14, 200);
    const unsigned centred = gfx::kAlignCenter | gfx::kSingleLine;
    if (mode == 3) {
        p.drawText(i18n::GetStringOr(743, "SP"), {198, 25, 235, 45}, small,
                   {kMoistureLabel, centred});
        drawFitted(p, tenthsText(s.moistureSetpoint().get()), {197, 40, 235, 60}, 14, 200,
                   kMoistureLabel, gfx::kAlignCenter);
    }
    drawLabel(p, "   " + i18n::GetStringOr(744, "IN") + "   ", {0, 10, 50, 40}, gMoistureView == 0,
              kMoistureLabel, kMoistureLabel);
    drawLabel(p, "  " + i18n::GetStringOr(745, "OUT") + "  ", {0, 50, 50, 80}, gMoistureView == 1,
              kMoistureLabel, kMoistureLabel);
    if (mode == 1) {
        p.drawText(i18n::GetStringOr(743, "SP"), {200, 95, 235, 115}, small, {kDimYellow, centred});
        drawFitted(p, std::to_string(s.grainTempSetpoint().get()), {197, 110, 235, 130}, 14, 200,
                   kDimYellow, gfx::kAlignCenter);
    }
    drawLabel(p, "   " + i18n::GetStringOr(744, "IN") + "   ", {0, 80, 50, 95}, gGrainTempView == 1,
              kYellow, kDimYellow);
    drawLabel(p, "  " + i18n::GetStringOr(745, "OUT") + "  ", {0, 100, 50, 115},
              gGrainTempView == 2, kYellow, kDimYellow);
    drawLabel(p, padded(i18n::GetStringOr(845, "DRYER"), 1, 50), {0, 120, 50, 135},
              gGrainTempView == 0, kYellow, kDimYellow);
}

int shownGrainTemperature(const dryer::ParameterImage& s) {
    switch (gGrainTempView) {
        case 1:
            return s.grainTempIn().get() / 10;
        case 2:
            return s.grainTempOut().get() / 10;
        default: {
            const int source = s.grainTempSelect().get();
            return s.grainTemp(source <= 2 ? source : 0).get();
        }
    }
}

void drawTemperatureButton(const ui::DrawItem& item) {
    item.painter.fillRect(item.rect, gfx::colors::kBlack);
    const auto& s = dryer::dryerState().status;
    drawFitted(item.painter, std::to_string(shownGrainTemperature(s)), {0, 0, 107, 59}, 70, 900,
               kYellow, gfx::kAlignRight | gfx::kAlignVCenter);
}

// While the finger is down the value stays and a frame shows the press; the view changes once,
// on the button's command.
void drawMoistureButton(const ui::DrawItem& item) {
    item.painter.fillRect(item.rect, gfx::colors::kBlack);
    const auto& s = dryer::dryerState().status;
    const int tenths = gMoistureView == 0 ? s.moistureIn().get() : s.moistureOut().get();
    drawFitted(item.painter, tenthsText(tenths), {0, 0, 117, 65}, 70, 900, kMoisture,
               gfx::kAlignRight | gfx::kAlignVCenter);
    if (item.pressed) item.painter.drawFrame(item.rect, kMoistureLabel, 2);
}

void registerRepaints() {
    auto& hooks = dryer::dryerState().hooks;
    const auto repaint = [](ui::Window button) {
        return [button](bool erase, const dryer::RepaintArea*) { ui::invalidate(button, erase); };
    };
    hooks.registerWindow(dryer::Window::MoistureViewButton, repaint(gMoistureButton));
    hooks.registerWindow(dryer::Window::GrainViewButton, repaint(gTemperatureButton));
}

void create(ui::Window window) {
    const uint32_t style = ui::kChild | ui::kVisible | ui::kOwnerDraw;
    gMoistureButton =
        ui::createWindow(ui::kButtonClass, "MOISTURE_VIEW_SELECT_BUTTON", style,
                         gfx::Rect::fromSize(53, 0, 117, 65), window, kMoistureViewCommand);
    gTemperatureButton =
        ui::createWindow(ui::kButtonClass, "GRAIN_TEMP_SELECT_BUTTON", style,
                         gfx::Rect::fromSize(53, 76, 107, 59), window, kGrainTempViewCommand);
    registerRepaints();
}

void command(ui::Window window, int id) {
    switch (id) {
        case kGrainTempViewCommand:
            gGrainTempView = (gGrainTempView + 1) % 3;
            ui::invalidateRect(window, kTemperatureLabels, false);
            ui::invalidate(gTemperatureButton, false);
            break;
        case kMoistureViewCommand:
            gMoistureView = 1 - gMoistureView;
            ui::invalidate(window, false);
            ui::invalidate(gMoistureButton, false);
            break;
        case kAutomaticToggleCommand: {
            auto mode = dryer::dryerState().status.moistureControlMode();
            mode.set(mode.get() ^ 0x80);
            ui::invalidateRect(window, {5, 145, 235, 170}, false);
            break;
        }
        default:
            break;
    }
}

}  // namespace

ui::LResult lineGraphProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kCreate:
            create(window);
            return 0;
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint: {
            setCaption(window, 843, " GRAIN TEMPERATURE / MOISTURE");
            ui::PaintContext& pc = ui::paintContext(lp);
            drawPanel(pc.painter, pc.client);
            return 0;
        }
        case ui::kDrawItem: {
            const ui::DrawItem& item = ui::drawItem(lp);
            if (item.controlId == kMoistureViewCommand) drawMoistureButton(item);
            if (item.controlId == kGrainTempViewCommand) drawTemperatureButton(item);
            return 1;
        }
        case ui::kCommand:
            command(window, ui::commandId(wp));
            return 0;
        default:
            return ui::defaultProc(window, message, wp, lp);
    }
}

void resetLineGraphViews() {
    gMoistureView = 0;
    gGrainTempView = 0;
}

}  // namespace status
