#pragma once

#include <QDialog>
#include <memory>

#include "base/notifier.h"

class QFileSystemModel;

namespace Ui {
class TLocateForm;
}

namespace wyn {

class LocateDialog;

// "Please locate your Quake II directory": a drive selector over a directory
// tree that starts in the process's current directory. Each selected
// directory goes to the core's LocateDialog, which says what InfoLabel shows
// and when the dialog closes.
class TLocateForm : public QDialog {
    Q_OBJECT

public:
    TLocateForm(LocateDialog& dialog, QWidget* parent = nullptr);
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
