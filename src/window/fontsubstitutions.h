#pragma once

// The window's fonts, Microsoft Sans Serif and Arial, with metric-compatible
// stand-ins where the desktop lacks them (Liberation Sans has Arial's
// metrics). A substitution applies only to a family the desktop lacks.
// Process-wide: set once, before the first window is built.
void setFontSubstitutions();
