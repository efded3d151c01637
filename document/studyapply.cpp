#include "document/studyapply.h"

#include "document/document.h"

bool applyStudyValue(Document &doc, const StudyDefinition &def, double value)
{
    const Project variant = studyVariant(doc.project(), def, value);
    switch (def.parameter) {
    case StudyParameter::Length:
    case StudyParameter::Diameter:
    case StudyParameter::Height:
        return doc.changePiles(variant.frontPile, variant.backPile, variant.linkBeam);
    case StudyParameter::Spacing:
    case StudyParameter::Row: return doc.changeBase(variant.base);
    case StudyParameter::Bar: return doc.changeDesign(variant.design);
    }
    return false;
}
