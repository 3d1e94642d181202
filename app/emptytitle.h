#pragma once

class QWidget;

// Shows a top-level window with no title at all. The X11 platform of Qt puts the program's
// file name where a title is empty, so a box the user knows as captionless would read
// "KivManager" in its title bar; this clears what the window system shows instead. Other
// platforms keep Qt's own title.
void ShowEmptyTitle(QWidget* window);
