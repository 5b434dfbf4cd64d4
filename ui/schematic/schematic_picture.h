// The schematic of the regulator's adjustable application that the picture
// box 图片框1 shows: a 452 x 223 JFIF file, embedded in the program at build
// time from ui/schematic/schematic.jpg.
#pragma once

#include <span>

namespace tamrel::ui {

// The JPEG bytes, from the start-of-image to the end-of-image marker. They
// live as long as the program.
std::span<const unsigned char> SchematicJpeg();

}  // namespace tamrel::ui
