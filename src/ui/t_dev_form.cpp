#include "ui/t_dev_form.h"

namespace wyn {

void runDevNews(QWidget*, ValueStore&, UiPrompts&) {}

}  // namespace wyn
