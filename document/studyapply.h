#pragma once

// "采用" of a parameter study: the value of one variant written into the
// project through the document's change of the category it belongs to, so
// that it is one undoable step like any edit.

#include "engine/study.h"

class Document;

// False when the document does not take the change (results are shown).
bool applyStudyValue(Document &doc, const StudyDefinition &def, double value);
