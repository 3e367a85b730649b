#pragma once

#include <QComboBox>
#include <string>
#include <vector>

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
    // Replaces the items (the core's texts) and keeps the text shown.
    void setItemsKeepingText(std::vector<std::string> items);
    // The core's text for a text the box shows: a picked or completed item
    // goes back as the item's own bytes, also where they are not UTF-8.
    std::string coreText(const QString& text) const;
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
    std::vector<std::string> m_items;
};

// The core's text for a text control's text: coreText for a TComboBox98,
// else the text as UTF-8.
std::string coreTextOf(const QWidget* control, const QString& text);

}  // namespace wyn
