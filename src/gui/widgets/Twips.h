#pragma once

#include <QRect>

// Windows keep their controls where their designs put them, measured in twips; the screen has
// 15 twips to a pixel.
namespace Twips {

constexpr int toPixels(int twips) {
    return twips / 15;
}

constexpr QRect rect(int left, int top, int width, int height) {
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace Twips
