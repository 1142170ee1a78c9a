#include "i18n/dialog/language_dialog.h"

#include <array>
#include <string>

#include "i18n/language.h"

namespace i18n {
namespace {

namespace ui = platform::ui;

struct LanguageButton {
    int id;
    LanguageId language;
};

// Three columns: English to Dutch, French to Polish, Portuguese to Spanish.
constexpr std::array<LanguageButton, kLanguageCount> kButtons = {{
    {1492, kEnglish},
    {1493, kBulgarian},
    {1494, kCzech},
    {1495, kDanish},
    {1504, kDutch},
    {1496, kFrench},
    {1497, kGerman},
    {1498, kHungarian},
    {1499, kPolish},
    {1500, kPortuguese},
    {1501, kRomanian},
    {1502, kRussian},
    {1503, kSpanish},
}};

constexpr int kColumnX[] = {7, 90, 173};
constexpr int kButtonWidth = 77;
constexpr int kButtonHeight = 27;
constexpr int kRowStep = 31;

constexpr ui::DialogItem item(int id, std::string_view label, int column, int row,
                              uint32_t flags = 0) {
    return {id,
            ui::ControlKind::PushLikeRadio,
            label,
            kColumnX[column - 1],
            7 + (row - 1) * kRowStep,
            kButtonWidth,
            kButtonHeight,
            flags};
}

constexpr ui::DialogItem kItems[] = {
    item(1492, "ENGLISH", 1, 1, ui::kGroup),
    item(1493, "BULGARIAN", 1, 2),
    item(1494, "CZECH", 1, 3),
    item(1495, "DANISH", 1, 4),
    item(1504, "DUTCH", 1, 5),
    item(1496, "FRENCH", 2, 1),
    item(1497, "GERMAN", 2, 2),
    item(1498, "HUNGARIAN", 2, 3),
    item(1499, "POLISH", 2, 4),
    item(1500, "PORTUGUESE", 3, 1),
    item(1501, "ROMANIAN", 3, 2),
    item(1502, "RUSSIAN", 3, 3),
    item(1503, "SPANISH", 3, 4),
};

}  // namespace

// The language's name in the current language, then its own name, so that an operator who
// reads neither finds it, then its English name in parentheses. The own name is left out where
// a line above already says it: on English's button and on the current language's.
std::string languageButtonText(LanguageId language, LanguageId current) {
    const LanguageInfo& info = languageInfo(language);
    std::string text = GetString(info.nameString) + "\n";
    if (language != current && info.ownName != info.name) text += std::string(info.ownName) + "\n";
    return text + "(" + std::string(info.name) + ")";
}

namespace {

// The labels and the current language checked; a label is set again only when it changed.
void refreshButtons(ui::Window dialog) {
    const LanguageId current = GetLanguage();
    for (const auto& button : kButtons) {
        const std::string text = languageButtonText(button.language, current);
        if (ui::itemText(dialog, button.id) != text) ui::setItemText(dialog, button.id, text);
        ui::checkItem(dialog, button.id, button.language == current);
    }
}

ui::LResult languageDialogProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            ui::centreOnOwner(dialog);
            refreshButtons(dialog);
            return 1;
        case ui::kPaint:
            refreshButtons(dialog);
            return 0;
        case ui::kCommand: {
            const int language = languageOfButton(ui::commandId(wp));
            if (language < 0) return 0;
            SetLanguage(static_cast<LanguageId>(language));
            refreshButtons(dialog);
            ui::invalidate(ui::parentOf(dialog), true);
            ui::endDialog(dialog, ui::commandId(wp));
            return 1;
        }
        default:
            return 0;
    }
}

}  // namespace

const platform::ui::DialogTemplate kLanguageDialog{"Select Language to Use", 257, 166, kItems};

int languageOfButton(int buttonId) {
    for (const auto& button : kButtons) {
        if (button.id == buttonId) return button.language;
    }
    return -1;
}

int RunLanguageDialog(platform::ui::Window owner) {
    return ui::runDialog(kLanguageDialog, owner, languageDialogProc);
}

}  // namespace i18n
