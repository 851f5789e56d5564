#pragma once

// The window's classic fonts, with metric-compatible stand-ins where the
// desktop lacks them (Liberation Sans has Arial's metrics). Process-wide:
// set once, before the first window is built.
void setFontSubstitutions();
