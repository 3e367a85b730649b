#include "ui/accessible_names.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <mutex>

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

// A combo box as a screen reader should see it: named by its label (Qt's own
// interface on Linux gives an editable box's text as its name, so "Max
// Clients" would be read as "24"), its text as its value, its item list and
// its text field as its children.
class AccessibleComboBox : public QAccessibleWidget {
public:
    explicit AccessibleComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            return comboBox()->currentText();
        }
        const QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty()) {
            return comboBox()->currentText();  // a box nobody named: its text says most
        }
        return text;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = list() != nullptr && list()->isVisible();
        state.editable = comboBox()->isEditable();
        return state;
    }

    int childCount() const override {
        return QAccessibleWidget::childCount() + (list() != nullptr ? 1 : 0);
    }

    QAccessibleInterface* child(int index) const override {
        if (index == QAccessibleWidget::childCount() && list() != nullptr) {
            return QAccessible::queryAccessibleInterface(list());
        }
        return QAccessibleWidget::child(index);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child != nullptr && list() != nullptr && child->object() == list()) {
            return QAccessibleWidget::childCount();
        }
        return QAccessibleWidget::indexOfChild(child);
    }

    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << showMenuAction() << pressAction();
    }

    void doAction(const QString& name) override {
        if (name == showMenuAction() || name == pressAction()) {
            comboBox()->showPopup();
        } else {
            QAccessibleWidget::doAction(name);
        }
    }

private:
    QComboBox* comboBox() const { return static_cast<QComboBox*>(object()); }
    // The item list, once the box has made it (it makes it when first opened).
    QAbstractItemView* list() const { return comboBox()->findChild<QAbstractItemView*>(); }
};

QAccessibleInterface* comboBoxFactory(const QString& className, QObject* object) {
    if (object->isWidgetType() && (className == QLatin1String("QComboBox") ||
                                   className == QLatin1String("wyn::TComboBox98"))) {
        return new AccessibleComboBox(static_cast<QComboBox*>(object));
    }
    return nullptr;
}

}  // namespace

void useAccessibleComboBoxes() {
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(comboBoxFactory); });
}

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
