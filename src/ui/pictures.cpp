#include "ui/pictures.h"

#include <QApplication>
#include <QLabel>

#include "platform/pcx_image_handler.h"
#include "ui/accessible_names.h"

// The pictures are compiled into the static library; its resources must be
// registered by name before the first use.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

namespace wyn {

namespace {

void ensureResources() {
    static const bool done = (initResources(), true);
    (void)done;
}

struct PictureFile {
    const char* path;
    QSize size;
};

PictureFile fileOf(Picture picture) {
    switch (picture) {
        case Picture::Logo:
            return {":/wyn/wyn_logo.png", {128, 180}};
        case Picture::Ctf:
            return {":/wyn/ctf.png", {48, 48}};
        case Picture::RedTeam:
            return {":/wyn/red_team.png", {32, 32}};
        case Picture::BlueTeam:
            return {":/wyn/blue_team.png", {32, 32}};
        case Picture::Update:
            break;
    }
    return {":/wyn/update.png", {24, 24}};
}

}  // namespace

QIcon pictureIcon(Picture picture) {
    ensureResources();
    // QIcon finds the "@2x" file beside the file itself.
    return QIcon(fileOf(picture).path);
}

QSize pictureSize(Picture picture) {
    return fileOf(picture).size;
}

void showPicture(QLabel* label, Picture picture) {
    const PictureFile file = fileOf(picture);
    label->setPixmap(pictureIcon(picture).pixmap(file.size, label->devicePixelRatioF()));
    label->setMinimumSize(file.size);
}

QIcon applicationIcon() {
    ensureResources();
    QIcon icon;
    // The large sizes are for launchers, which take the installed icon.
    for (const int size : {16, 24, 32, 48, 64}) {
        icon.addFile(QString(":/wyn/icons/wyn-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

void setUpApplication() {
    registerPcxImageFormat();
    useAccessibleComboBoxes();
    // Window captions are exact texts, so no display name is appended to
    // them; a desktop shows the program's name from its desktop entry.
    QGuiApplication::setDesktopFileName("wyn");
    QApplication::setWindowIcon(applicationIcon());
}

}  // namespace wyn
