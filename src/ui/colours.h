#pragma once

#include <QColor>

class QWidget;

namespace wyn {

// The command line is shown lime on black, in the preview panel, the external
// window and the editor. Palettes, not style sheets: a style sheet on a
// window slows down the drawing of every control in it.
void usePreviewColours(QWidget* widget);
// Text in one colour (the red and the blue team).
void useTextColour(QWidget* widget, const QColor& colour);

}  // namespace wyn
