#pragma once
// Forms drawn at fixed places for their English texts, and the longer texts of a translation.
// A form keeps the places drawn for it while every text fits them, so English stays as drawn;
// a label or button that cuts its text takes the room it asks for, and what stands beside and
// below it moves over.

class QWidget;

// Whether the control cuts its text: a word-wrapped label's lines are higher than it, another
// text is wider than the room it has or its line higher. A push button's room is its width less
// the style's margins, not its size hint: a style gives every captioned button a least width
// (Fusion 80 pixels), more than the 75 drawn for the short English captions.
bool TextCut(const QWidget* control);

// Whether no label or button that shows on the form (or panel) cuts its text.
bool TextsFit(const QWidget* form);

// Grows each label and button that cuts its text to its size hint (a word-wrapped label to the
// height its width needs); a centred label grows to both sides. What stands right of a grown
// control in its row, or anywhere below it, moves over by as much; a frame drawn around
// controls keeps its margins around them; the form grows to hold it all, keeping a fixed size
// fixed, and as wide as its title needs. A form whose texts and title fit stays exactly as it
// is.
void FitTexts(QWidget* form);
