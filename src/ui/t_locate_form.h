#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "base/notifier.h"
#include "content/installation_search.h"

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
class TLocateForm : public QDialog {
    Q_OBJECT

public:
    // found: the installations on this computer, shown beside the tree.
    explicit TLocateForm(LocateDialog& dialog, const std::vector<FoundInstallation>& found = {},
                         QWidget* parent = nullptr);
    ~TLocateForm() override;

    // Shows the directory in the drive selector and the tree.
    void showDirectory(const QString& directory);

protected:
    void reject() override;  // Esc and the close box cancel

private:
    void redraw();

    std::unique_ptr<Ui::TLocateForm> ui;
    LocateDialog& m_dialog;
    QFileSystemModel* m_directories;
    Connection m_connection;
};

}  // namespace wyn
