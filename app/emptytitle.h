#pragma once

class QWidget;

// Shows a top-level window with no title at all. Qt's X11 and Windows platforms put the
// program's name where a title is empty, so a box the user knows as captionless would read
// "KivManager" in its title bar; this clears what the window system shows instead
// (app/emptytitle.cpp for X11, app/emptytitlewindows.cpp). Other platforms keep Qt's own
// title.
void ShowEmptyTitle(QWidget* window);
