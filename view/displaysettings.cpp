#include "view/displaysettings.h"

#include "app/settings.h"

int displayFontSize = Settings::FontSizeDefault;
int displayOffset = Settings::OffsetDefault;
