#pragma once

class QWidget;

namespace wyn {

// Gives every control below root the name a screen reader should say: a
// control with a label is named by the label's caption (Qt passes a buddy's
// caption on for line edits only), and the text field of a combo box or spin
// box is named after the box. (A combo box's item list, made when it first
// opens, is named by TComboBox98 then.)
void nameControlsByTheirLabels(QWidget* root);

// Makes every combo box report its name, not its text, as its accessible
// name. Called once at start-up, before any window: a screen reader that is
// already listening asks for the controls while they are built.
void useAccessibleComboBoxes();

}  // namespace wyn
