#include "ui/t_wizard_form.h"

namespace wyn {

void runWizard(QWidget*, SessionSettings&, ValueStore&, GameStarter&, UiPrompts&,
               std::function<void()>) {}

}  // namespace wyn
