#pragma once

#include <QPixmap>
#include <string>

namespace bw {

// The picture of the header band: "Header.bmp" from the working directory
// when it is there and readable, else the built-in picture for the screen's
// colour depth.
QPixmap HeaderPicture(const std::string& workingDirectory, int screenDepth);

// The built-in pictures: one for 16 or more bits per pixel, one for 8 to 15,
// one for fewer than 8.
QPixmap BuiltInHeaderPicture(int screenDepth);

// The watermark of the first and last pages: a tall strip in the picture's
// main colour with the picture itself, enlarged, near its top.
QPixmap WatermarkPicture(const QPixmap& headerPicture);

// The depth of the primary screen in bits per pixel (24 when there is none).
int ScreenDepth();

}  // namespace bw
