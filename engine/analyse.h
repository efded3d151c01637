#pragma once

// What the analysis reads of a project: the input records, with every
// derived value derived afresh.

#include "model/document.h"

// Copies the input records of `from` into `to` and runs every derived-data
// update on them, so that values a file may have stored stale (placement,
// section values, loads, stiffness) are those the analysis works with.
void copyInputAfresh(const Document &from, Document &to);
