#pragma once

// Completion of the element results after the trial calculation, the anchor
// forces, the extremes per pile and the report lines.

#include "model/project.h"

// Spring forces at the lower end of pile elements, zero shear at a free
// bottom, and the force of the Es link arriving at a pile node.
void shearCorrections(Project &doc);

// Soil reaction on the piles at both ends of every element below the sliding surface.
void soilReaction(Project &doc);

// Pressure of the soil between the rows carried by each Es link.
void betweenRowPressure(Project &doc);

// Horizontal and vertical force of every anchor.
void anchorForces(Project &doc);

// Maxima and minima of displacement, moment, shear and reaction per pile.
ResultExtremes resultExtremes(const Project &doc);

// A number as the report, the result table and the drawing print it: fixed
// with the given decimals, and never "-0.0" for a value that rounds to zero.
QString fixedText(double value, int decimals);
// A result value: one decimal.
QString oneDecimal(double value);

// Whether every number of the report is a number that can be printed,
// after its conversion to the unit printed.
bool reportPrintable(const ResultExtremes &extremes);

// Lines of the result report, closed by a ruler; a warning line follows it
// when a pile moves by more than 1 m.
QStringList reportLines(const Project &doc);
