#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// Where the main window opens: where it was left, kept in the settings store when it closes
// (its normal place and size, and whether it was maximised); the first time, or when that
// place is on no screen any more, at a size that fits the screen, in its middle.
namespace WindowPlacement {

// The size a window opens at the first time, when the screen has room for it.
inline constexpr QSize FirstSize{1100, 760};

// Gives a window not yet shown its place (and maximised state) from the settings store.
void restore(QWidget* window);
// Writes the window's normal place and size and its maximised state to the settings store.
void save(const QWidget* window);

// The place a window left at `saved` gets on a screen whose free area is `available`: the same
// when it fits, otherwise made no larger than the screen and moved onto it. An invalid rect
// when too little of it would lie on that screen to grab it.
QRect fitted(const QRect& saved, const QRect& available, const QSize& minimum);
// The first place on a screen: FirstSize, or nine tenths of the free area when that is
// smaller (never below the minimum), in the middle.
QRect firstPlace(const QRect& available, const QSize& minimum);

} // namespace WindowPlacement
