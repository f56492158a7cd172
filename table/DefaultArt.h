#pragma once
// Our own pictures of the table's surroundings, painted in code: the default board
// and a second background, the opponents' default avatars, the slap picture, the
// two skin textures of the tool windows and the control-panel pictures.
#include <QImage>
#include <QString>
#include <QStringList>

QImage DefaultArt_Board(int width, int height);
QImage DefaultArt_Weave(int width, int height);
// A face of one of the default opponents; `look` picks the colours and features.
QImage DefaultArt_Avatar(int look, int size);
QImage DefaultArt_Slap(int size);
// Skin 0 goes with the second look of the place-holders, skin 1 with the first.
QImage DefaultArt_Skin(int style, int width, int height);
QImage DefaultArt_Panel(int style, int width, int height);

// The default board's file name, which the background list puts first.
inline const QString kGameBoardFile = QStringLiteral("GameBoard.png");
// The default avatars' file names, one per default opponent.
QStringList DefaultArt_AvatarFiles();
// Writes the board and the second background into the user's Backgrounds folder, and the
// default avatars into the Avatars folder, as an installer would: each only into a folder
// that holds no picture at all, as on the first start.
void DefaultArt_Install(const QString& userPath);
