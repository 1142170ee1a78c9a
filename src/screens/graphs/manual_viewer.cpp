// " OPERATOR'S GUIDE": the guide of the current language, page by page, as large as a dialog
// can be on the panel, black text on a white page.
#include "screens/graphs/manual_viewer.h"

#include <algorithm>

#include "i18n/language.h"
#include "platform/gfx/text.h"
#include "platform/ui/dialog.h"

namespace graphs {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

namespace {

constexpr int kCaptionString = 850;
constexpr int kPreviousString = 851;
constexpr int kNextString = 852;
constexpr int kPageString = 853;
constexpr int kMissingString = 854;
constexpr int kExitString = 145;

// Client pixels of the 363 x 243 unit dialog (635 x 456).
constexpr gfx::Rect kPaper{6, 4, 629, 394};
constexpr gfx::Rect kHeading{18, 10, 617, 38};
constexpr int kRuleY = 42;
constexpr int kBodyLeft = 18;
constexpr int kBodyTop = 50;
constexpr int kBodyWidth = 599;
constexpr int kBodyBottom = 390;
constexpr int kLinePitch = 20;
constexpr int kParagraphGap = 7;
constexpr int kItemIndent = 18;
constexpr std::string_view kItemMark = "- ";
constexpr gfx::Rect kPageLabel{300, 404, 474, 446};

const gfx::FontSpec kBodyFont = gfx::font(16, 400);
const gfx::FontSpec kHeadingFont = gfx::font(22, 700);
const gfx::FontSpec kPageFont = gfx::font(16, 700);

constexpr ui::DialogItem kItems[] = {
    {kManualPreviousButton, ui::ControlKind::PushButton, "PREVIOUS", 6, 215, 80, 25},
    {kManualNextButton, ui::ControlKind::PushButton, "NEXT", 90, 215, 80, 25},
    {kManualExitButton, ui::ControlKind::PushButton, "EXIT", 277, 215, 80, 25},
};
constexpr ui::DialogTemplate kTemplate{" OPERATOR'S GUIDE", 363, 243, kItems};

struct Viewer {
    std::vector<ManualScreenPage> pages;
    int page = 0;
};
Viewer gViewer;

// The rows of a paragraph wrapped to the page's width; "- " makes it an item of a list, a bullet
// with the text indented beside it.
std::vector<std::vector<ManualLine>> paragraphRows(std::string_view paragraph) {
    const bool item = paragraph.starts_with(kItemMark);
    if (item) paragraph.remove_prefix(kItemMark.size());
    const int left = item ? kBodyLeft + kItemIndent : kBodyLeft;
    const gfx::Rect room{0, 0, kBodyLeft + kBodyWidth - left, 1 << 20};
    std::vector<std::vector<ManualLine>> rows;
    for (auto& line : gfx::layoutText(paragraph, room, kBodyFont, gfx::kWordBreak)) {
        rows.push_back({{std::move(line.text), left, 0}});
    }
    if (item && !rows.empty())
        rows.front().insert(rows.front().begin(), {"\xE2\x80\xA2", kBodyLeft, 0});
    return rows;
}

void showPage(ui::Window dialog) {
    const int count = static_cast<int>(gViewer.pages.size());
    gViewer.page = std::clamp(gViewer.page, 0, count - 1);
    ui::enableItem(dialog, kManualPreviousButton, gViewer.page > 0);
    ui::enableItem(dialog, kManualNextButton, gViewer.page < count - 1);
    ui::invalidate(dialog, true);
}

void setTexts(ui::Window dialog) {
    ui::setWindowText(dialog, i18n::GetStringOr(kCaptionString, " OPERATOR'S GUIDE"));
    ui::setItemText(dialog, kManualPreviousButton, i18n::GetStringOr(kPreviousString, "PREVIOUS"));
    ui::setItemText(dialog, kManualNextButton, i18n::GetStringOr(kNextString, "NEXT"));
    ui::setItemText(dialog, kManualExitButton, i18n::GetStringOr(kExitString, "EXIT"));
}

void paint(ui::PaintContext& pc) {
    gfx::Painter& p = pc.painter;
    p.fillRect(pc.client, gfx::colors::kMenu);
    p.fillRect(kPaper, gfx::colors::kWhite);
    const ManualScreenPage& page = gViewer.pages[gViewer.page];
    const gfx::FontSpec heading = gfx::fitFont(page.heading, kHeadingFont, kHeading.width(), 14);
    p.drawText(page.heading, kHeading, heading,
               {gfx::colors::kBlack, gfx::kAlignVCenter | gfx::kSingleLine});
    p.drawLine({kBodyLeft, kRuleY}, {kBodyLeft + kBodyWidth - 1, kRuleY}, gfx::colors::kBlack, 1);
    for (const ManualLine& line : page.lines) {
        const gfx::Rect place{line.left, line.top, kBodyLeft + kBodyWidth, line.top + kLinePitch};
        p.drawText(line.text, place, kBodyFont,
                   {gfx::colors::kBlack, gfx::kAlignVCenter | gfx::kSingleLine});
    }
    const std::string label =
        manualPageLabel(gViewer.page + 1, static_cast<int>(gViewer.pages.size()));
    p.drawText(label, kPageLabel, gfx::fitFont(label, kPageFont, kPageLabel.width(), 11),
               {gfx::colors::kBlack, gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kSingleLine});
}

void command(ui::Window dialog, int id) {
    switch (id) {
        case kManualPreviousButton:
            --gViewer.page;
            showPage(dialog);
            break;
        case kManualNextButton:
            ++gViewer.page;
            showPage(dialog);
            break;
        case kManualExitButton:
            ui::endDialog(dialog, kManualExitButton);
            break;
        default:
            break;
    }
}

ui::LResult viewerProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kInitDialog:
            ui::centreOnOwner(dialog);
            setTexts(dialog);
            showPage(dialog);
            return 1;
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint:
            paint(ui::paintContext(lp));
            return 1;
        case ui::kCommand:
            command(dialog, ui::commandId(wp));
            return 1;
        default:
            return 0;
    }
}

}  // namespace

// A blank paragraph is a gap of one line; a gap or a paragraph gap at a page's top is dropped.
// A paragraph that does not fit below the last one starts the next page when it fits a page of
// its own; a longer one is carried over row by row.
std::vector<ManualScreenPage> layoutManual(const i18n::Manual& manual) {
    constexpr int kPageRows = (kBodyBottom - kBodyTop) / kLinePitch;
    std::vector<ManualScreenPage> pages;
    for (const i18n::ManualPage& source : manual.pages) {
        pages.push_back({source.heading, {}});
        int y = kBodyTop;
        const auto newPage = [&] {
            pages.push_back({source.heading, {}});
            y = kBodyTop;
        };
        for (const std::string& paragraph : source.paragraphs) {
            if (paragraph.empty()) {
                if (y > kBodyTop) y += kLinePitch;
                continue;
            }
            if (y > kBodyTop) y += kParagraphGap;
            auto rows = paragraphRows(paragraph);
            const int rowCount = static_cast<int>(rows.size());
            if (y + rowCount * kLinePitch > kBodyBottom && rowCount <= kPageRows) newPage();
            for (auto& row : rows) {
                if (y + kLinePitch > kBodyBottom) newPage();
                for (ManualLine& line : row) {
                    line.top = y;
                    pages.back().lines.push_back(std::move(line));
                }
                y += kLinePitch;
            }
        }
    }
    return pages;
}

std::string manualPageLabel(int page, int pageCount) {
    return i18n::fillPlaceholders(i18n::GetStringOr(kPageString, "PAGE %d OF %d"), "%d",
                                  {std::to_string(page), std::to_string(pageCount)});
}

void runManualViewer(ui::Window owner) {
    const auto manual = i18n::ReadManual();
    if (!manual) {
        ui::messageBox(
            owner,
            i18n::GetStringOr(kMissingString, "THE OPERATOR'S GUIDE IS MISSING OR CANNOT BE READ."),
            i18n::GetStringOr(kCaptionString, " OPERATOR'S GUIDE"),
            ui::kMbOk | ui::kMbIconExclamation);
        return;
    }
    gViewer = {layoutManual(*manual), 0};
    ui::runDialog(kTemplate, owner, viewerProc);
    gViewer = {};
}

}  // namespace graphs
