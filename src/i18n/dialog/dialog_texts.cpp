#include "i18n/dialog/dialog_texts.h"

#include "i18n/language.h"

namespace i18n {
namespace ui = platform::ui;

namespace {

std::string_view templateText(const ui::DialogTemplate& dialogTemplate, int id) {
    for (const ui::DialogItem& item : dialogTemplate.items) {
        if (item.id == id) return item.text;
    }
    return {};
}

// Only a changed text is set again, so that a repaint does not repaint the controls.
void setIfChanged(ui::Window dialog, int id, const std::string& text) {
    if (ui::itemText(dialog, id) != text) ui::setItemText(dialog, id, text);
}

}  // namespace

void localizeDialog(ui::Window dialog, const ui::DialogTemplate& dialogTemplate, int captionNumber,
                    std::span<const ItemString> items) {
    if (captionNumber > 0) {
        const std::string caption = GetStringOr(captionNumber, dialogTemplate.title);
        if (ui::windowText(dialog) != caption) ui::setWindowText(dialog, caption);
    }
    for (const ItemString& item : items)
        setIfChanged(dialog, item.id,
                     GetStringOr(item.number, templateText(dialogTemplate, item.id)));
}

std::string messageBoxLabel(int id, std::string_view english) {
    switch (id) {
        case ui::kIdOk:
            return GetStringOr(600, english);
        case ui::kIdCancel:
            return GetStringOr(601, english);
        case ui::kIdRetry:
            return GetStringOr(602, english);
        case ui::kIdYes:
            return GetStringOr(134, english);
        case ui::kIdNo:
            return GetStringOr(135, english);
        default:
            return std::string(english);
    }
}

}  // namespace i18n
