#include "ui/t_locate_form.h"

#include <QDir>
#include <QFileSystemModel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <algorithm>
#include <system_error>
#include <thread>

#include "content/locate_dialog.h"
#include "platform/qt_text.h"
#include "platform/system_path.h"
#include "ui/accessible_names.h"
#include "ui/binding.h"
#include "ui_t_locate_form.h"

namespace wyn {

namespace {

constexpr QSize kDesignedSize(320, 340);

// The drive (Windows) or file-system root (elsewhere) that holds a directory.
QString rootOf(const QString& directory) {
    return QStorageInfo(directory).rootPath();
}

}  // namespace

TLocateForm::TLocateForm(LocateDialog& dialog, UiPrompts& prompts, QWidget* parent)
    : EditorDialog(
          prompts, [&dialog] { dialog.cancel(); }, parent),
      ui(std::make_unique<Ui::TLocateForm>()),
      m_dialog(dialog),
      m_directories(new QFileSystemModel(this)) {
    ui->setupUi(this);
    m_directories->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_directories->setRootPath(QString());
    ui->DirectoryListBox->setModel(m_directories);
    for (int column = 1; column < m_directories->columnCount(); ++column) {
        ui->DirectoryListBox->hideColumn(column);
    }
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath())) {
            roots.push_back(volume.rootPath());
        }
    }
    roots.sort();
    ui->DriveComboBox->addItems(roots);

    // The dialog's reaction to a directory may show a message box: it runs
    // after the change that caused it has returned.
    const auto chosen = [this](const QString& directory) {
        later(this, [this, directory = fromSystemPath(QDir::toNativeSeparators(directory))] {
            forward([&] { m_dialog.directoryChanged(directory); });
        });
    };
    connect(ui->DriveComboBox, &QComboBox::currentTextChanged, this,
            [this, chosen](const QString& root) {
                showDirectory(root);
                chosen(root);
            });
    connect(ui->DirectoryListBox->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, chosen](const QModelIndex& current) {
                if (current.isValid()) {
                    chosen(m_directories->filePath(current));
                }
            });
    // The installations found beside the tree: choosing one selects it there.
    ui->InstallationsPanel->hide();
    connect(ui->InstallationsListBox, &QListWidget::currentItemChanged, this,
            [this, chosen](const QListWidgetItem* item) {
                if (item != nullptr) {
                    const QString directory = item->data(Qt::UserRole).toString();
                    showDirectory(directory);
                    chosen(directory);
                }
            });
    command(ui->OKButton, [this] { m_dialog.ok(); });
    command(ui->CancelButton, [this] { m_dialog.cancel(); });
    m_connection = m_dialog.onChange([this](const LocateChange&) { redraw(); });
    nameControlsByTheirLabels(this);

    showDirectory(toSystemPath(dialog.directory()));
    redraw();
    fixSizeAndCentre(*this, kDesignedSize);
}

TLocateForm::~TLocateForm() = default;

void TLocateForm::searchInstallations(Search search) {
    auto work = [search = std::move(search), post = m_post.post(), this] {
        std::vector<FoundInstallation> found;
        try {
            found = search();
        } catch (...) {
            // A search that fails finds nothing; the tree still serves.
        }
        post([this, found = std::move(found)] { showInstallations(found); });
    };
    try {
        std::thread(std::move(work)).detach();
    } catch (const std::system_error&) {
        // Without a thread there is no list; the tree still serves.
    }
}

void TLocateForm::showInstallations(const std::vector<FoundInstallation>& found) {
    forward([&] { m_dialog.installationsFound(found); });
    const QSignalBlocker blocker(ui->InstallationsListBox);
    ui->InstallationsListBox->clear();
    // Each directory with its engine; the item keeps the directory alone.
    for (const FoundInstallation& installation : found) {
        const QString directory = toSystemPath(installation.directory);
        auto* item = new QListWidgetItem(directory + " (" + toQt(engineLabel(installation)) + ")",
                                         ui->InstallationsListBox);
        item->setData(Qt::UserRole, directory);
        item->setToolTip(item->text());
    }
    // Wide enough for its longest entry, within half the screen.
    auto* list = ui->InstallationsListBox;
    const int wanted = list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                       list->verticalScrollBar()->sizeHint().width();
    list->setMinimumWidth(std::min(wanted, screen()->availableGeometry().width() / 2));
    // The dialog grows by the list or shrinks without it, in the middle of the screen.
    if (ui->InstallationsPanel->isHidden() == found.empty()) {
        return;
    }
    ui->InstallationsPanel->setVisible(!found.empty());
    fixSizeAndCentre(*this, kDesignedSize);
}

void TLocateForm::showDirectory(const QString& directory) {
    const QSignalBlocker treeBlocker(ui->DirectoryListBox->selectionModel());
    const QModelIndex index = m_directories->index(directory);
    ui->DirectoryListBox->setCurrentIndex(index);
    ui->DirectoryListBox->expand(index);
    ui->DirectoryListBox->scrollTo(index);
    const QSignalBlocker driveBlocker(ui->DriveComboBox);
    ui->DriveComboBox->setCurrentIndex(ui->DriveComboBox->findText(rootOf(directory)));
}

void TLocateForm::redraw() {
    ui->InfoLabel->setText(toQt(m_dialog.infoText()));
    closeAs(m_dialog.result());
}

}  // namespace wyn
