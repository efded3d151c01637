#include "view/displaysettings.h"

int displayFontSize = 40;
int displayOffset = 2;
