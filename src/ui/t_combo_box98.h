#pragma once

#include <QComboBox>

namespace wyn {

// The auto-completing combo box: an editable QComboBox that completes the
// typed text, ignoring case, to the first item that begins with it, in that
// item's letters, with the added part selected (Backspace and Delete do not
// complete). Without completion it is a plain editable combo box.
//
// textChanged is raised for every change of the text, whoever made it (the
// keyboard, a picked item, a screen reader, a test), once per keystroke after
// the completion filled the text in. A window's redraw blocks the box's
// signals, so showText and setItemsKeepingText raise nothing.
class TComboBox98 : public QComboBox {
    Q_OBJECT

public:
    explicit TComboBox98(QWidget* parent = nullptr);

    void setCompletes(bool completes);
    // Replaces the items and keeps the text shown.
    void setItemsKeepingText(const QStringList& items);
    // Shows a text without raising textChanged, keeping the cursor when the
    // text is already shown.
    void showText(const QString& text);

    void showPopup() override;

signals:
    void textChanged(const QString& text);

private:
    class LineEdit;
    void complete();

    bool m_completes = true;
};

}  // namespace wyn
