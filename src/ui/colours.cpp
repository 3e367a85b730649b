#include "ui/colours.h"

#include <QPalette>
#include <QWidget>

namespace wyn {

void usePreviewColours(QWidget* widget) {
    QPalette palette = widget->palette();
    for (const auto role : {QPalette::Window, QPalette::Base}) {
        palette.setColor(QPalette::All, role, Qt::black);
    }
    for (const auto role : {QPalette::WindowText, QPalette::Text}) {
        palette.setColor(QPalette::All, role, QColor(0, 255, 0));
    }
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void useTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::All, QPalette::Text, colour);
    widget->setPalette(palette);
}

}  // namespace wyn
