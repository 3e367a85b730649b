#include "ui/qt_prompts.h"

#include <QApplication>
#include <QCompleter>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QShortcut>
#include <QStyle>

#include "base/file_system.h"
#include "content/locate_dialog.h"
#include "platform/qt_text.h"
#include "platform/system_path.h"
#include "ui/binding.h"
#include "ui/editor_dialogs.h"
#include "ui/t_chat_form.h"
#include "ui/t_command_form.h"
#include "ui/t_locate_form.h"

namespace wyn {

namespace {

constexpr const char* kPresetFilter = "WYN Preset Files (*.wyn *.WYN)";
constexpr const char* kAllFilesFilter = "All Files (*)";

// The preset dialogs are Qt's own file dialog whatever the desktop offers, so
// that a read-only preset can be refused with the dialog staying open.
class PresetFileDialog : public QFileDialog {
public:
    PresetFileDialog(QWidget* parent, const QString& title, const QString& path = {})
        : QFileDialog(parent, title, path) {
        setOption(QFileDialog::DontUseNativeDialog);
        setDefaultSuffix("wyn");
    }

    // The file-name field drops down the presets opened so far (Alt+Down or
    // its arrow), and completes them as they are typed.
    void offerHistory(const std::vector<std::string>& history) {
        auto* edit = findChild<QLineEdit*>("fileNameEdit");
        if (edit == nullptr || history.empty()) {
            return;
        }
        auto* menu = new QMenu(edit);
        QStringList paths;
        for (const auto& path : history) {
            const QString shown = QDir::toNativeSeparators(toSystemPath(path));
            paths.push_back(shown);
            menu->addAction(shown, edit, [edit, shown] { edit->setText(shown); });
        }
        auto* arrow = edit->addAction(style()->standardIcon(QStyle::SP_ArrowDown),
                                      QLineEdit::TrailingPosition);
        arrow->setText("Presets opened before");
        arrow->setToolTip(arrow->text());
        const auto dropDown = [edit, menu] {
            menu->popup(edit->mapToGlobal(edit->rect().bottomLeft()));
        };
        connect(arrow, &QAction::triggered, edit, dropDown);
        auto* altDown = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Down), edit);
        altDown->setContext(Qt::WidgetShortcut);
        connect(altDown, &QShortcut::activated, edit, dropDown);
        paths.removeDuplicates();
        auto* completer = new QCompleter(paths, edit);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        edit->setCompleter(completer);
    }

    std::optional<std::string> run() {
        if (exec() != QDialog::Accepted || selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        return fromSystemPath(QDir::toNativeSeparators(selectedFiles().front()));
    }

    void accept() override {
        const QStringList files = selectedFiles();
        if (!files.isEmpty() && isReadOnlyFile(fromSystemPath(files.front()))) {
            QtPrompts::showMessageBox(this, QMessageBox::Warning, windowTitle(),
                                      QDir::toNativeSeparators(files.front()) +
                                          "\nThis file is set to read-only."
                                          "\nTry again with a different file name.");
            return;
        }
        QFileDialog::accept();
    }
};

}  // namespace

void QtPrompts::showMessageBox(QWidget* parent, int icon, const QString& title,
                               const QString& text) {
    QMessageBox box(static_cast<QMessageBox::Icon>(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

QWidget* QtPrompts::parentWindow() const {
    return windowInUse(m_parent);
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
    return fromQt(answer, {initial});  // an initial text left as it was keeps its bytes
}

bool QtPrompts::editCommandLine(std::string& line) {
    // The line starts with the executable's path, as the preview shows it.
    const QString shown = toSystemPath(line);
    TCommandForm form(shown, parentWindow());
    if (form.exec() != QDialog::Accepted) {
        return false;
    }
    // A line confirmed unchanged keeps its bytes, also those the path
    // conversion cannot show.
    if (form.editedText() != shown) {
        line = fromSystemPath(form.editedText());
    }
    return true;
}

std::optional<std::string> QtPrompts::choosePresetSavePath(const std::string& current) {
    PresetFileDialog dialog(parentWindow(), "Save", toSystemPath(current));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({kPresetFilter, kAllFilesFilter});
    dialog.setFileMode(QFileDialog::AnyFile);
    return dialog.run();
}

std::optional<std::string> QtPrompts::choosePresetOpenPath(
    const std::vector<std::string>& history) {
    PresetFileDialog dialog(parentWindow(), "Open ");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(kPresetFilter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.offerHistory(history);
    return dialog.run();
}

void QtPrompts::showLocateDialog(LocateDialog& dialog) {
    if (dialog.isClosed()) {
        return;
    }
    TLocateForm form(dialog, *this, m_parent);
    if (m_search) {
        form.searchInstallations(m_search());
    }
    form.exec();
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

// The warning holds what a server sent: it is shown as plain text, never read
// as markup. No is the default, so a hasty Enter joins nothing.
bool QtPrompts::confirmJoin(const std::string& warning) {
    QMessageBox box(QMessageBox::Warning, "Join Game", toQt(warning),
                    QMessageBox::Yes | QMessageBox::No, parentWindow());
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText("Join the game all the same?");
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtPrompts::askNewComment() {
    return askNewChatComment(parentWindow());
}

std::optional<std::string> QtPrompts::askEditedComment(const std::string& comment) {
    return askEditedChatComment(parentWindow(), comment);
}

}  // namespace wyn
