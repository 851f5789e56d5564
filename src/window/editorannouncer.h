#pragma once

class KeyTextBox;

// What assistive technology reads of the editor box opened on a cell: its
// name gives the area and the column ("Area 2, Altezza area H"), its
// description the column's hint, as the notes box shows it. Every opening
// is told once (KeyTextBox::announce), also one that keeps the name or the
// hint (Up and Down keep the column; the same cell opened again). Called
// before the box takes the focus.
void announceEditor(KeyTextBox &box, int row, int column);
