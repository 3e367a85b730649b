#include "ui/qt_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "content/locate_dialog.h"
#include "ui/binding.h"
#include "ui/qt_text.h"
#include "ui/t_chat_form.h"
#include "ui/t_command_form.h"
#include "ui/t_locate_form.h"

namespace wyn {

namespace {

constexpr const char* kPresetFilter = "WYN Preset Files (*.wyn *.WYN)";
constexpr const char* kAllFilesFilter = "All Files (*)";

}  // namespace

void QtPrompts::showMessageBox(QWidget* parent, int icon, const QString& title,
                               const QString& text) {
    QMessageBox box(static_cast<QMessageBox::Icon>(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

// A question stands over the window the user works in: an editor or the
// wizard, when one is open, else the main window.
QWidget* QtPrompts::parentWindow() const {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return m_parent;
}

void QtPrompts::showError(const std::string& text) {
    showMessageBox(parentWindow(), QMessageBox::Critical, "Error", toQt(text));
}

void QtPrompts::showInformation(const std::string& text) {
    showMessageBox(parentWindow(), QMessageBox::Information, "Information", toQt(text));
}

// The operation has ended when its failure is shown, so the box opens after
// the call that failed has returned: a screen reader's action that caused it
// is not held up, and no event handler waits on a modal box.
void QtPrompts::showFailure(const std::string& text) {
    later(qApp, [parent = QPointer<QWidget>(parentWindow()), text = toQt(text)] {
        showMessageBox(parent, QMessageBox::Critical, "Vantor Frontend", text);
    });
}

std::optional<std::string> QtPrompts::askText(const std::string& caption, const std::string& label,
                                              const std::string& initial) {
    bool ok = false;
    const QString answer = QInputDialog::getText(parentWindow(), toQt(caption), toQt(label),
                                                 QLineEdit::Normal, toQt(initial), &ok);
    if (!ok) {
        return std::nullopt;
    }
    return fromQt(answer);
}

bool QtPrompts::editCommandLine(std::string& line) {
    TCommandForm form(toQt(line), parentWindow());
    if (form.exec() != QDialog::Accepted) {
        return false;
    }
    line = fromQt(form.editedText());
    return true;
}

std::optional<std::string> QtPrompts::choosePresetSavePath(const std::string& current) {
    QFileDialog dialog(parentWindow(), "Save", toQt(current));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({kPresetFilter, kAllFilesFilter});
    dialog.setDefaultSuffix("wyn");
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return fromQt(QDir::toNativeSeparators(dialog.selectedFiles().front()));
}

std::optional<std::string> QtPrompts::choosePresetOpenPath(
    const std::vector<std::string>& history) {
    QFileDialog dialog(parentWindow(), "Open ");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(kPresetFilter);
    dialog.setDefaultSuffix("wyn");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setHistory(toQt(history));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return fromQt(QDir::toNativeSeparators(dialog.selectedFiles().front()));
}

void QtPrompts::showLocateDialog(LocateDialog& dialog) {
    TLocateForm form(dialog, m_search ? m_search() : std::vector<FoundInstallation>{}, m_parent);
    if (!dialog.isClosed()) {
        form.exec();
    }
}

// Over the window in use, not waiting: the game ended while the user may be
// doing anything. Its output shows as it was written, and can be selected.
void QtPrompts::showGameEnd(const GameEndReport& report) {
    auto* box = new QMessageBox(QMessageBox::Warning, "Quake II", toQt(report.text()),
                                QMessageBox::Ok, parentWindow());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextFormat(Qt::PlainText);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

std::optional<std::string> QtPrompts::askNewComment() {
    return askNewChatComment(parentWindow());
}

std::optional<std::string> QtPrompts::askEditedComment(const std::string& comment) {
    return askEditedChatComment(parentWindow(), comment);
}

}  // namespace wyn
