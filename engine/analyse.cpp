#include "model/document.h"

bool Document::analyse()
{
    return false;
}
