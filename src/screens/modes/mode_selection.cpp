// "Drying Mode Selection - 07": continuous flow or staged batch, and the way on to the setup of
// the chosen mode.
#include "i18n/button_bitmaps.h"
#include "platform/ui/controls.h"
#include "screens/modes/modes_common.h"
#include "screens/modes/modes_dialogs.h"

namespace modes {
namespace {

using Kind = ui::ControlKind;

enum : int {
    kContinuousButton = 1298,
    kContinuousRadio = 1297,
    kStagedButton = 1299,
    kStagedRadio = 1046,
    kSetupButton = 1300,
};

constexpr int kSetupPicture = 24;
constexpr int kRaise = 20;
constexpr int kNoStagedBatchModel = 5;  // bit of dryerModelFlags: the dryer has no staged batch

constexpr ui::DialogItem kItems[] = {
    {kContinuousButton, Kind::PushButton, "CONTINUOUS FLOW", 8, 8, 96, 22},
    {kContinuousRadio, Kind::RadioButton, "CONTINUOUS FLOW", 112, 13, 112, 12, ui::kGroup},
    {kStagedButton, Kind::PushButton, "STAGED BATCH", 8, 36, 96, 22},
    {kStagedRadio, Kind::RadioButton, "STAGED BATCH", 112, 41, 112, 12},
    {kSetupButton, Kind::OwnerDrawButton, "MOISTURE CONTROL SETUP", 8, 66, 100, 27},
    {kHelp, Kind::PushButton, "HELP", 116, 66, 50, 27},
    {kAccept, Kind::PushButton, "ACCEPT", 172, 66, 52, 27},
};

constexpr ui::DialogTemplate kDialog{"Drying Mode Selection - 07", 232, 100, kItems};

// Never destroyed: the picture unregisters from the language's list of held bitmaps, which may
// already be gone when the program ends.
i18n::HeldButtonBitmap& setupPicture() {
    static i18n::HeldButtonBitmap& picture = *new i18n::HeldButtonBitmap;
    return picture;
}

bool stagedBatchAvailable() {
    return !state().status.dryerModelFlags().bit(kNoStagedBatchModel);
}

void paint(ui::Window dialog) {
    static constexpr ItemString kStrings[] = {
        {kContinuousButton, 1},
        {kContinuousRadio, 1},
        {kStagedButton, 2},
        {kStagedRadio, 2},
        {kHelp, 3},
        {kAccept, 4},
    };
    setTexts(dialog, 5, kStrings);
    const bool available = stagedBatchAvailable();
    if (!available) state().edit.dryingMode().set(0);
    ui::enableItem(dialog, kStagedButton, available);
    ui::enableItem(dialog, kStagedRadio, available);
    const bool staged = state().edit.dryingMode().get() != 0;
    ui::checkItem(dialog, kContinuousRadio, !staged);
    ui::checkItem(dialog, kStagedRadio, staged);
}

void open(ui::Window dialog) {
    setupPicture().load(kSetupPicture);
    for (const ByteRecord& record :
         {dryingModeRecord(), plenumOptionsRecord(), dryingOptionsRecord()}) {
        startFromController(record);
    }
    ui::centreOnOwner(dialog, kRaise);
    paint(dialog);
}

// The picture of the setup button; pressed, it sinks by two pixels inside a dark frame.
void drawSetupButton(ui::DrawItem& item) {
    gfx::Painter& p = item.painter;
    p.fillRect(item.rect, gfx::colors::kMenu);
    const gfx::Surface* picture = setupPicture().get();
    const int shift = item.pressed ? 2 : 0;
    if (picture != nullptr) p.copyBitmap(*picture, {shift, shift});
    if (item.pressed) p.drawFrame(item.rect, gfx::colors::kBlack, 2);
}

// One of the two mode buttons: the mode, its control scheme and the plenum bits it clears, sent
// at once.
void chooseMode(ByteEdits& edits, bool staged) {
    auto& s = state();
    {
        const auto hold = s.hold();
        edits.change(plenumOptionsRecord(), 0, staged ? bitMask(3) : bitMask(1) | bitMask(3));
        s.edit.dryingMode().set(staged ? 1 : 0);
        s.edit.moistureControlMode().set(staged ? 6 : 1);
    }
    s.commitEdit(s.pending.moistureControlMode());
    s.commitEdit(s.pending.plenumTempOptions());
}

void raiseChanged() {
    for (const ByteRecord& record :
         {dryingModeRecord(), plenumOptionsRecord(), dryingOptionsRecord()}) {
        raiseIfChanged(record);
    }
}

void openSetup(ui::Window dialog) {
    raiseChanged();
    const bool staged = state().edit.dryingMode().get() != 0;
    const int closedBy = staged ? runStagedBatchSetup(dialog) : runContinuousFlowSetup(dialog);
    if (closedBy == kAccept) ui::endDialog(dialog, kAccept);
}

ByteEdits& edits() {
    static ByteEdits instance;
    return instance;
}

void command(ui::Window dialog, int id) {
    switch (id) {
        case kContinuousButton:
            chooseMode(edits(), false);
            break;
        case kStagedButton:
            if (stagedBatchAvailable()) chooseMode(edits(), true);
            break;
        case kSetupButton:
            openSetup(dialog);
            break;
        case kHelp:
            showHelp(dialog, "DryingModeSelectionHelp.txt", 358);
            break;
        case kAccept:
            raiseChanged();
            ui::endDialog(dialog, kAccept);
            break;
        default:
            break;  // a radio: the paint puts the marks back on the mode
    }
}

ui::LResult proc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kInitDialog:
            open(dialog);
            return 1;
        case ui::kPaint:
            paint(dialog);
            return 0;
        case ui::kDrawItem:
            drawSetupButton(ui::drawItem(lp));
            return 1;
        case ui::kCommand:
            command(dialog, ui::commandId(wp));
            ui::invalidate(dialog, false);
            return 1;
        default:
            return 0;
    }
}

}  // namespace

int runDryingModeSelection(ui::Window owner) {
    edits() = ByteEdits{};
    return ui::runDialog(kDialog, owner, proc);
}

}  // namespace modes
