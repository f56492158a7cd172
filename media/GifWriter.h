#pragma once
// A GIF writer for small pictures: colours are taken to the nearest of a fixed
// 6x6x6 cube, mostly see-through pixels become the transparent colour, and the
// codes are written without compression, which every GIF reader takes.
#include <QByteArray>

class QImage;

QByteArray Gif_Encode(const QImage& picture);
