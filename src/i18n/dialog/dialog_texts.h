#pragma once
// Dialog templates carry English texts; these put the operator's language on a running dialog.
// A string the table lacks keeps the template's English text, so no control comes out blank.

#include <span>
#include <string>
#include <string_view>

#include "platform/ui/dialog.h"

namespace i18n {

struct ItemString {
    int id;      // control id in the template
    int number;  // string number of its text
};

// Sets the caption to string `number` and each listed control to its string, each in the
// current language; a string the table lacks gives the template's own text.
void localizeDialog(platform::ui::Window dialog, const platform::ui::DialogTemplate& dialogTemplate,
                    int captionNumber, std::span<const ItemString> items);

// A message box button's label in the current language (OK, Cancel, Retry, Yes, No), for
// platform::ui::setMessageBoxLabelSource; `english` for any other button.
std::string messageBoxLabel(int id, std::string_view english);

}  // namespace i18n
