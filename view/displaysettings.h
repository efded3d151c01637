#pragma once

// Display settings shared by every drawing of the process. The status bar of
// the main window edits them; the settings store keeps them between runs.
// They start at the defaults of the settings store.

// Pixel size of labels at the fitted scale (a label of 40 is 0.4 m high).
extern int displayFontSize;
// Scale of arrows, springs and diagrams (1 to 10).
extern int displayOffset;
