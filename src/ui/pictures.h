#pragma once

#include <QIcon>

class QLabel;

namespace wyn {

// The program's own pictures, from its resources.
enum class Picture { Logo, Ctf, RedTeam, BlueTeam, Update };

// The picture at its design size, sharp on screens with more pixels per point.
void showPicture(QLabel* label, Picture picture);
QSize pictureSize(Picture picture);
QIcon pictureIcon(Picture picture);
// The program's icon in the sizes a window's frame and task switcher use.
QIcon applicationIcon();

// What every program with windows does first: the PCX picture reader, the
// program's title and its window icon.
void setUpApplication();

}  // namespace wyn
