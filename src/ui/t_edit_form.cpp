#include "ui/t_edit_form.h"

namespace wyn {

void runRosterEditor(QWidget*, SessionSettings&, ValueStore&, UiPrompts&) {}

}  // namespace wyn
