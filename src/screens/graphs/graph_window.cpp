#include "screens/graphs/graph_window.h"

#include <memory>

#include "i18n/button_bitmaps.h"
#include "i18n/language.h"
#include "logging/graph_log.h"
#include "logging/view_settings.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "screens/graphs/graph_drawing.h"

namespace graphs {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

namespace {

constexpr gfx::Point kButtonPlaces[] = {{8, 260},   {8, 300},   {138, 260},
                                        {138, 300}, {270, 260}, {270, 300}};

std::array<std::unique_ptr<i18n::HeldButtonBitmap>, logging::kGraphTraceCount> gTraceBitmaps;
ui::Window gGraph;
ui::Window gDrawGraph;

int traceOfButton(int id) {
    for (int t = 0; t < logging::kGraphTraceCount; ++t) {
        if (kTraceStyles[t].buttonId == id) return t;
    }
    return -1;
}

// Range 0 to the pages held, the newest window at the right end.
void updateScrollBar(ui::Window graph) {
    const int pages = logging::GraphPagesAvailable();
    ui::setScrollInfo(ui::childById(graph, kGraphScrollBar),
                      {0, pages, 1, pages - logging::GraphPageOffset});
}

ui::LResult drawGraphProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint: {
            ui::PaintContext& pc = ui::paintContext(lp);
            gfx::Surface off(pc.client.width(), pc.client.height());
            gfx::Painter painter(off);
            drawGraph(painter, logging::GraphPageOffset);
            pc.painter.copyBitmap(off, {0, 0});
            // New samples add pages; the bar follows them.
            updateScrollBar(ui::parentOf(window));
            return 0;
        }
        default:
            return ui::defaultProc(window, message, wp, lp);
    }
}

void createChildren(ui::Window graph) {
    gGraph = graph;
    ui::registerClass({kDrawGraphClass, drawGraphProc, gfx::colors::kBlack});
    gDrawGraph = ui::createWindow(kDrawGraphClass, "", ui::kChild | ui::kVisible,
                                  gfx::Rect::fromSize(5, 5, kGraphWidth, kGraphHeight), graph);
    ui::createWindow(ui::kScrollBarClass, "", ui::kChild | ui::kVisible,
                     gfx::Rect::fromSize(5, 225, 380, 25), graph, kGraphScrollBar);
    for (int t = 0; t < logging::kGraphTraceCount; ++t) {
        const TraceStyle& style = kTraceStyles[t];
        ui::createWindow(ui::kButtonClass, style.buttonName,
                         ui::kChild | ui::kVisible | ui::kOwnerDraw,
                         gfx::Rect::fromSize(kButtonPlaces[t].x, kButtonPlaces[t].y, 110, 33),
                         graph, style.buttonId);
        gTraceBitmaps[t] = std::make_unique<i18n::HeldButtonBitmap>(style.bitmap);
    }
    ui::createWindow(ui::kButtonClass, i18n::GetString(453), ui::kChild | ui::kVisible,
                     gfx::Rect::fromSize(195, 340, 185, 25), graph, kGraphSetupButton);
    updateScrollBar(graph);
}

void drawTraceButton(const ui::DrawItem& item) {
    const int trace = traceOfButton(item.controlId);
    item.painter.fillRect(item.rect, gfx::colors::kBlack);
    if (trace < 0 || !gTraceBitmaps[trace]) return;
    if (const gfx::Surface* bitmap = gTraceBitmaps[trace]->get()) {
        item.painter.copyBitmap(*bitmap, {item.rect.left, item.rect.top});
    }
    // A trace that is on is framed in its colour, so the buttons say what the graph shows.
    if (logging::GraphTraceOn[trace] == 1)
        item.painter.drawFrame(item.rect, kTraceStyles[trace].pen, 2);
}

void toggleTrace(ui::Window graph, int trace) {
    uint8_t& on = logging::GraphTraceOn[trace];
    on = on == 1 ? 0 : 1;
    ui::invalidate(ui::childById(graph, kTraceStyles[trace].buttonId), true);
    invalidateGraph();
    logging::SaveGraphTraces();
}

void scroll(ui::Window graph, uint32_t code) {
    if (code == ui::kLineUp || code == ui::kPageUp) {
        if (logging::GraphPageOffset < logging::GraphMaxPageOffset()) ++logging::GraphPageOffset;
    } else if (code == ui::kLineDown || code == ui::kPageDown) {
        if (logging::GraphPageOffset > 0) --logging::GraphPageOffset;
    } else {
        return;
    }
    updateScrollBar(graph);
    invalidateGraph();
}

}  // namespace

void invalidateGraph() {
    ui::invalidate(gGraph, false);
    ui::invalidate(gDrawGraph, false);
}

ui::LResult graphWindowProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kCreate:
            createChildren(window);
            return 0;
        case ui::kDestroy:
            for (auto& bitmap : gTraceBitmaps)
                bitmap.reset();
            return 0;
        case ui::kPaint:
            ui::setItemText(window, kGraphSetupButton, i18n::GetString(453));
            return 0;
        case ui::kDrawItem:
            drawTraceButton(ui::drawItem(lp));
            return 1;
        case ui::kHScroll:
            scroll(window, ui::scrollCode(wp));
            return 0;
        case ui::kCommand: {
            const int id = ui::commandId(wp);
            if (id == kGraphSetupButton) {
                runGraphSetupDialog(window);
            } else if (const int trace = traceOfButton(id); trace >= 0) {
                toggleTrace(window, trace);
            }
            return 0;
        }
        default:
            return ui::defaultProc(window, message, wp, lp);
    }
}

}  // namespace graphs
