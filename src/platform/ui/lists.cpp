// List boxes and report-style list views: rows of text with a single selection, scrolled by a
// vertical scroll bar of their own that appears when the rows do not fit.
#include <algorithm>

#include "platform/ui/controls.h"
#include "platform/ui/draw.h"
#include "platform/ui/internal.h"

namespace platform::ui {
namespace detail {
namespace {

constexpr int kBarWidth = 18;
constexpr int kCellPadding = 4;

struct Column {
    std::string title;
    int width = 0;
};

struct ListState : ControlState {
    bool report = false;
    std::vector<Column> columns;
    std::vector<std::vector<std::string>> rows;  // a list box has one cell per row
    int selection = -1;
    int top = 0;
    Window bar;
};

// A cell's text cut to its width, with "..." where it was cut, as a list shows a long entry.
std::string elided(const std::string& text, int width, const gfx::FontSpec& font) {
    if (gfx::textExtent(text, font).width <= width) return text;
    std::u32string chars = gfx::decodeUtf8(text);
    while (!chars.empty()) {
        chars.pop_back();
        const std::string cut = gfx::encodeUtf8(chars) + "...";
        if (gfx::textExtent(cut, font).width <= width) return cut;
    }
    return {};
}

int rowHeight(Window w) {
    return gfx::fontMetrics(windowFont(w)).height + 3;
}
int headerHeight(Window w, const ListState& st) {
    return st.report ? gfx::fontMetrics(windowFont(w)).height + 6 : 0;
}

// The area that holds the rows, inside the edge and beside the scroll bar.
Rect rowArea(Window w, const ListState& st, bool withBar) {
    Rect r = clientRect(w).inflate(-2, -2);
    r.top += headerHeight(w, st);
    if (withBar) r.right -= kBarWidth;
    return r;
}

int visibleRows(Window w, const ListState& st, bool withBar) {
    return std::max(1, rowArea(w, st, withBar).height() / rowHeight(w));
}

void syncBar(Window w, ListState& st) {
    const int count = static_cast<int>(st.rows.size());
    const bool needed = count > visibleRows(w, st, false);
    const int page = visibleRows(w, st, needed);
    st.top = std::clamp(st.top, 0, std::max(0, count - page));
    if (!needed) {
        showWindow(st.bar, false);
        return;
    }
    const Rect client = clientRect(w).inflate(-2, -2);
    moveWindow(st.bar, {client.right - kBarWidth, client.top + headerHeight(w, st), client.right,
                        client.bottom});
    setScrollInfo(st.bar, {0, count - 1, page, st.top});
    showWindow(st.bar, true);
}

void changed(Window w, ListState& st) {
    syncBar(w, st);
    invalidate(w, false);
}

void drawHeader(gfx::Painter& p, Window w, const ListState& st, const gfx::FontSpec& font) {
    const Rect client = clientRect(w).inflate(-2, -2);
    int x = client.left;
    const int h = headerHeight(w, st);
    for (const Column& c : st.columns) {
        const Rect cell{x, client.top, x + c.width, client.top + h};
        p.fillRect(cell, gfx::colors::kButtonFace);
        drawThinEdge(p, cell, true);
        p.setClip(cell.intersect(client));
        p.drawText(c.title, cell.inflate(-kCellPadding, 0), font,
                   {gfx::colors::kBlack, gfx::kAlignLeft | gfx::kAlignVCenter | gfx::kSingleLine});
        p.setClip(client);
        x += c.width;
    }
    p.fillRect({x, client.top, client.right, client.top + h}, gfx::colors::kButtonFace);
}

void drawRow(gfx::Painter& p, const ListState& st, int index, const Rect& line,
             const gfx::FontSpec& font) {
    const bool selected = index == st.selection;
    p.setClip(line);
    if (selected) p.fillRect(line, gfx::colors::kHighlight);
    const gfx::Color color = selected ? gfx::colors::kHighlightText : gfx::colors::kWindowText;
    const auto& cells = st.rows[static_cast<size_t>(index)];
    int x = line.left;
    for (size_t c = 0; c < cells.size(); ++c) {
        const int width =
            st.report ? (c < st.columns.size() ? st.columns[c].width : 0) : line.width();
        const Rect cell = Rect{x, line.top, x + width, line.bottom}.intersect(line);
        if (!cell.empty()) {
            p.setClip(cell);
            const Rect room = cell.inflate(-kCellPadding, 0);
            p.drawText(elided(cells[c], room.width(), font), room, font,
                       {color, gfx::kAlignLeft | gfx::kAlignVCenter | gfx::kSingleLine});
        }
        x += width;
    }
}

void paintList(Window w, PaintContext& pc) {
    ListState* st = controlOf<ListState>(w);
    if (!st) return;
    gfx::Painter& p = pc.painter;
    const gfx::FontSpec font = windowFont(w);
    p.fillRect(pc.client, gfx::colors::kWindow);
    drawSunkenEdge(p, pc.client);
    p.setClip(pc.client.inflate(-2, -2).intersect(pc.update));
    if (st->report) drawHeader(p, w, *st, font);
    const Rect area = rowArea(w, *st, isVisible(st->bar));
    const int h = rowHeight(w);
    // Whole rows only: the scroll bar pages by whole rows too.
    for (int i = st->top, y = area.top;
         i < static_cast<int>(st->rows.size()) && y + h <= area.bottom; ++i, y += h) {
        drawRow(p, *st, i, {area.left, y, area.right, y + h}, font);
    }
}

void select(Window w, ListState& st, Point at) {
    const Rect area = rowArea(w, st, isVisible(st.bar));
    if (!area.contains(at)) return;
    const int row = st.top + (at.y - area.top) / rowHeight(w);
    if (row >= static_cast<int>(st.rows.size()) || row == st.selection) return;
    st.selection = row;
    invalidate(w, false);
    sendMessage(parentOf(w), kCommand, commandParam(windowId(w), kSelectionChanged),
                static_cast<LParam>(w.id));
}

void scroll(Window w, ListState& st, WParam wp) {
    const int page = visibleRows(w, st, true);
    int top = st.top;
    switch (scrollCode(wp)) {
        case kLineUp:
            --top;
            break;
        case kLineDown:
            ++top;
            break;
        case kPageUp:
            top -= page;
            break;
        case kPageDown:
            top += page;
            break;
        case kThumbTrack:
        case kThumbPosition:
            top = scrollPosition(wp);
            break;
        default:
            return;
    }
    st.top = top;
    changed(w, st);
}

LResult listProc(Window w, uint32_t message, WParam wp, LParam lp, bool report) {
    ListState* st = controlOf<ListState>(w);
    switch (message) {
        case kCreate: {
            auto state = std::make_unique<ListState>();
            state->report = report;
            state->bar =
                createWindow(kScrollBarClass, "", kChild | kVertical, {0, 0, kBarWidth, 10}, w);
            setControlState(w, std::move(state));
            return 0;
        }
        case kEraseBackground:
            return 1;
        case kPaint:
            paintList(w, paintContext(lp));
            return 0;
        case kPointerDown:
            if (st) select(w, *st, unpackPoint(lp));
            return 0;
        case kVScroll:
            if (st) scroll(w, *st, wp);
            return 0;
        default:
            return defaultProc(w, message, wp, lp);
    }
}

LResult listBoxProc(Window w, uint32_t m, WParam wp, LParam lp) {
    return listProc(w, m, wp, lp, false);
}
LResult listViewProc(Window w, uint32_t m, WParam wp, LParam lp) {
    return listProc(w, m, wp, lp, true);
}

}  // namespace

void registerListClasses() {
    registerClass({kListBoxClass, listBoxProc, gfx::colors::kWindow});
    registerClass({kListViewClass, listViewProc, gfx::colors::kWindow});
}

}  // namespace detail

using namespace detail;

int listBoxAdd(Window list, std::string_view text) {
    ListState* st = controlOf<ListState>(list);
    if (!st) return -1;
    st->rows.push_back({std::string(text)});
    changed(list, *st);
    return static_cast<int>(st->rows.size()) - 1;
}

void listBoxClear(Window list) {
    listViewClear(list);
}
int listBoxCount(Window list) {
    return listViewRowCount(list);
}
std::string listBoxText(Window list, int index) {
    return listViewCell(list, index, 0);
}
int listBoxSelection(Window list) {
    return listViewSelection(list);
}
void listBoxSetSelection(Window list, int index) {
    listViewSetSelection(list, index);
}

int listViewAddColumn(Window view, std::string_view title, int width) {
    ListState* st = controlOf<ListState>(view);
    if (!st) return -1;
    st->columns.push_back({std::string(title), std::max(0, width)});
    invalidate(view, false);
    return static_cast<int>(st->columns.size()) - 1;
}

void listViewSetColumnWidth(Window view, int column, int width) {
    ListState* st = controlOf<ListState>(view);
    if (!st || column < 0 || column >= static_cast<int>(st->columns.size())) return;
    st->columns[static_cast<size_t>(column)].width = std::max(0, width);
    invalidate(view, false);
}

int listViewColumnWidth(Window view, int column) {
    const ListState* st = controlOf<ListState>(view);
    if (!st || column < 0 || column >= static_cast<int>(st->columns.size())) return 0;
    return st->columns[static_cast<size_t>(column)].width;
}

int listViewInsertRow(Window view, int index, const std::vector<std::string>& cells) {
    ListState* st = controlOf<ListState>(view);
    if (!st) return -1;
    const int at = std::clamp(index, 0, static_cast<int>(st->rows.size()));
    st->rows.insert(st->rows.begin() + at, cells);
    if (st->selection >= at) ++st->selection;
    changed(view, *st);
    return at;
}

void listViewClear(Window view) {
    ListState* st = controlOf<ListState>(view);
    if (!st) return;
    st->rows.clear();
    st->selection = -1;
    st->top = 0;
    changed(view, *st);
}

int listViewRowCount(Window view) {
    const ListState* st = controlOf<ListState>(view);
    return st ? static_cast<int>(st->rows.size()) : 0;
}

std::string listViewCell(Window view, int row, int column) {
    const ListState* st = controlOf<ListState>(view);
    if (!st || row < 0 || row >= static_cast<int>(st->rows.size()) || column < 0) return {};
    const auto& cells = st->rows[static_cast<size_t>(row)];
    return column < static_cast<int>(cells.size()) ? cells[static_cast<size_t>(column)]
                                                   : std::string();
}

int listViewSelection(Window view) {
    const ListState* st = controlOf<ListState>(view);
    return st ? st->selection : -1;
}

void listViewSetSelection(Window view, int row) {
    ListState* st = controlOf<ListState>(view);
    if (!st) return;
    st->selection = row >= 0 && row < static_cast<int>(st->rows.size()) ? row : -1;
    invalidate(view, false);
}

int listViewTopRow(Window view) {
    const ListState* st = controlOf<ListState>(view);
    return st ? st->top : 0;
}

}  // namespace platform::ui
