#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "base/notifier.h"
#include "content/installation_search.h"
#include "ui/editor_dialogs.h"
#include "ui/thread_post.h"

class QFileSystemModel;

namespace Ui {
class TLocateForm;
}

namespace wyn {

class LocateDialog;

// "Please locate your Quake II directory": a drive selector over a directory
// tree that starts in the process's current directory, beside the Quake II
// installations found on this computer. Each selected directory goes to the
// core's LocateDialog, which says what InfoLabel shows and when the dialog
// closes.
class TLocateForm : public EditorDialog {
    Q_OBJECT

public:
    TLocateForm(LocateDialog& dialog, UiPrompts& prompts, QWidget* parent = nullptr);
    ~TLocateForm() override;

    // Looks for the installations on a thread of its own, which may wait on a
    // dead network folder: the tree is usable meanwhile, and the list shows
    // when the search ends, unless the dialog is gone by then.
    using Search = std::function<std::vector<FoundInstallation>()>;
    void searchInstallations(Search search);
    // The installations found, beside the tree; none hides the list.
    void showInstallations(const std::vector<FoundInstallation>& found);

    // Shows the directory in the drive selector and the tree.
    void showDirectory(const QString& directory);

private:
    void redraw();

    std::unique_ptr<Ui::TLocateForm> ui;
    LocateDialog& m_dialog;
    QFileSystemModel* m_directories;
    Connection m_connection;
    ThreadPost m_post{this};
};

}  // namespace wyn
