#pragma once
// Where a stored window placement goes on the screens there are now.

#include <QList>
#include <QRect>

// The strip along a window's top edge (its title bar) that must show on one screen, across
// and down (or the whole window when it is smaller), for its placement to count as on that
// screen.
constexpr int MinVisibleWidth = 48;
constexpr int MinVisibleHeight = 24;

// The window rectangle to use for a stored one: as stored while its top strip shows on some
// screen; otherwise moved, its size kept, onto the screen nearest to it (the first of equally
// near ones), as near to where it was as that screen allows, its top-left corner on the
// screen when it is larger. With no screens it stays as stored.
QRect PlacedOnScreens(const QRect& window, const QList<QRect>& screens);
