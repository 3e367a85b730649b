#include "ui/accessible_names.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace wyn {

namespace {

// "&Your Team:" is said as "Your Team".
QString spokenCaption(QString caption) {
    caption.remove('&');
    if (caption.endsWith(':')) {
        caption.chop(1);
    }
    return caption.trimmed();
}

}  // namespace

void nameControlsByTheirLabels(QWidget* root) {
    for (QLabel* label : root->findChildren<QLabel*>()) {
        QWidget* buddy = label->buddy();
        if (buddy != nullptr && buddy->accessibleName().isEmpty()) {
            buddy->setAccessibleName(spokenCaption(label->text()));
        }
    }
    for (QComboBox* combo : root->findChildren<QComboBox*>()) {
        if (QLineEdit* edit = combo->lineEdit();
            edit != nullptr && edit->accessibleName().isEmpty()) {
            edit->setAccessibleName(combo->accessibleName());
        }
    }
    for (QAbstractSpinBox* spin : root->findChildren<QAbstractSpinBox*>()) {
        if (auto* edit = spin->findChild<QLineEdit*>();
            edit != nullptr && edit->accessibleName().isEmpty()) {
            edit->setAccessibleName(spin->accessibleName());
        }
    }
}

}  // namespace wyn
