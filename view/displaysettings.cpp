#include "view/displaysettings.h"

#include "settings/settings.h"

int displayFontSize = Settings::FontSizeDefault;
int displayOffset = Settings::OffsetDefault;
