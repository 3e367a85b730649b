#include "ui/t_maps_form.h"

namespace wyn {

void runMapCycleEditor(QWidget*, const SessionSettings&, UiPrompts&) {}

}  // namespace wyn
