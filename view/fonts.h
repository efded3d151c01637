#pragma once

// The program's typeface. It is named after the Windows font; where that font
// is missing a CJK font takes its place, so Chinese text never shows boxes.

#include <QFont>

// Registers the fallbacks of the program's typeface; call once at start-up.
void installFontFallbacks();

// The program's typeface with the fallbacks set on the font itself, so it
// also works where installFontFallbacks() has not run.
QFont programFont();
