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

class Document;

// What decides whether the spacing cuts the calculation width b0: the
// spacing, then the own calculation width of each pile in use.
QList<double> widthBasis(const Document &doc);

// Logs the note ">>注意: 桩间距小于b0" when a change of `basisBefore`
// (widthBasis() before the change) leaves a pile whose b0 the spacing cuts;
// a change that leaves the spacing and the sections alone says nothing again.
void noteSpacing(Document &doc, const QList<double> &basisBefore);
