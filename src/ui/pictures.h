#pragma once

#include <QIcon>

class QLabel;

namespace wyn {

// The program's own pictures, from its resources.
enum class Picture { Logo, Ctf, RedTeam, BlueTeam, Update };

// The picture at its design size, sharp on screens with more pixels per point.
void showPicture(QLabel* label, Picture picture);
QIcon pictureIcon(Picture picture);
// The program's icon in every size it comes in.
QIcon applicationIcon();

}  // namespace wyn
