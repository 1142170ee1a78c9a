#include "platform/ui/internal.h"
#include "platform/ui/modal.h"

namespace platform::ui::detail {

void registerButtonClass();
void registerStaticClasses();
void registerScrollBarClass();
void registerListClasses();

void registerControlClasses() {
    registerButtonClass();
    registerStaticClasses();
    registerScrollBarClass();
    registerListClasses();
    registerDialogClass();
}

}  // namespace platform::ui::detail
