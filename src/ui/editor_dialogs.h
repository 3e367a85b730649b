#pragma once

#include <QSize>

class QComboBox;
class QDialog;
class QLineEdit;
class QString;

namespace wyn {

// The editors' dialogs are fixed in size: the size they were laid out for,
// grown to the smallest that shows every caption in this platform's font
// (wrapped labels included); then they are centred on the screen.
void fixSizeAndCentre(QDialog& dialog, QSize designed);

// Shows a text the core holds without raising the box's or edit's signals.
// A text the core changed while it was typed (a character it dropped) keeps
// the cursor where the typing was.
void showLineText(QLineEdit* edit, const QString& text);
void showComboText(QComboBox* combo, const QString& text);

}  // namespace wyn
