#pragma once
// A window laid out by a layout, kept as big as its texts: Qt sizes a window from its layout's
// least size, which counts a word-wrapped label at the width it would like, so a narrower
// label's further lines are cut at top and bottom; and a window manager cuts a title wider
// than its title bar with an ellipsis.

class QWidget;

// From now on, whenever its layout or size changes, the window is at least as high as its
// layout needs at its width, and at least as wide as its title needs.
void KeepTextsWhole(QWidget* window);

// The width the window needs for its title in a usual title bar: the title in the bold
// application font, the window's icon and its three buttons.
int TitleWidth(const QWidget* window);
// Whether a title bar as wide as the window cuts its title.
bool TitleCut(const QWidget* window);
