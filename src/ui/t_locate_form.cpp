#include "ui/t_locate_form.h"

#include <QDir>
#include <QFileSystemModel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>

#include "content/locate_dialog.h"
#include "ui/qt_text.h"
#include "ui_t_locate_form.h"

namespace wyn {

namespace {

// The drive (Windows) or file-system root (elsewhere) that holds a directory.
QString rootOf(const QString& directory) {
    return QStorageInfo(directory).rootPath();
}

}  // namespace

TLocateForm::TLocateForm(LocateDialog& dialog, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
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

    connect(ui->DriveComboBox, &QComboBox::activated, this, [this](int index) {
        const QString root = ui->DriveComboBox->itemText(index);
        showDirectory(root);
        m_dialog.directoryChanged(fromQt(QDir::toNativeSeparators(root)));
    });
    connect(ui->DirectoryListBox->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) {
                    const QString path = m_directories->filePath(current);
                    m_dialog.directoryChanged(fromQt(QDir::toNativeSeparators(path)));
                }
            });
    connect(ui->OKButton, &QPushButton::clicked, this, [this] { m_dialog.ok(); });
    connect(ui->CancelButton, &QPushButton::clicked, this, &TLocateForm::reject);
    m_connection = m_dialog.onChange([this](const LocateChange&) { redraw(); });

    showDirectory(toQt(dialog.directory()));
    redraw();
}

TLocateForm::~TLocateForm() = default;

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
    if (m_dialog.isClosed() && isVisible()) {
        done(m_dialog.result() == LocateResult::Accepted ? Accepted : Rejected);
    }
}

void TLocateForm::reject() {
    m_dialog.cancel();
    QDialog::reject();
}

}  // namespace wyn
