#pragma once

// Placement and section properties of the piles and the link beam.

#include "model/records.h"

#include <QList>

// Modulus of a concrete grade in kPa (C20 ... C40); other grades give C30.
double concreteModulus(qint16 grade);

// Calculation width b0 of a pile section (before the limit by the spacing).
double calculationWidth(const PileInfo &pile);

// Size of the pile section across the rows: H of a square pile, D of a round one.
double sectionDepth(const PileInfo &pile);

// Area, second moment of area, b0 and E of a pile. Returns true when b0 had
// to be limited to the pile spacing.
bool deriveSection(PileInfo &pile, float reduceE);

struct Project;

// What decides whether the spacing cuts the calculation width b0: the
// spacing, then the own calculation width of each pile in use. A change that
// leaves it as it was cannot have caused the spacing note.
QList<double> widthBasis(const Project &project);
