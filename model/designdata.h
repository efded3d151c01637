#pragma once

// Material strengths and safety factors of the design checks, the choices
// the design data offer, and the rules that refuse design data no real
// project has. The dialog, the input check and the checks themselves read
// them here, so that each value and each rule is written once.

#include "model/records.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

// Design strengths of a concrete grade in MPa; other grades give C30, as the
// modulus does.
struct ConcreteStrength
{
    double fc = 14.3; // axial compression
    double ft = 1.43; // axial tension
};
ConcreteStrength concreteStrength(qint16 grade);

constexpr double STEELMODULUS = 2.0e5; // Es of reinforcing bars, MPa
constexpr double ALPHA1 = 1.0; // α1, the rectangular stress block of concrete up to C50
constexpr double CONCRETEULTIMATESTRAIN = 0.0033; // εcu

// The choices of the design data, as the dialog offers them.
inline const QList<qint16> SAFETYGRADES = {1, 2, 3};
inline const QList<qint16> REBARGRADES = {335, 400, 500};
inline const QList<qint16> STIRRUPGRADES = {300, 335, 400};
inline const QList<qint16> GROUTGRADES = {25, 30, 35};

// Design yield strength fy (fyv) of a bar grade in MPa: 335, 400, 500 give
// 300, 360, 435; 300 gives 270. 0 for a grade not in these lists.
double rebarStrength(qint16 grade);

// Bond strength fb between grout and tendon in MPa for grout M25, M30, M35:
// bars 2.10, 2.40, 2.70; strands 2.75, 2.95, 3.40. 0 for another grout.
double groutBondStrength(bool strand, qint16 grout);

// Safety factor Kb of an anchor's tendon and K of its bond length, by the
// slope's safety class (1, 2, 3) and the anchor's service life.
double tendonSafetyFactor(bool permanent, qint16 safetyGrade);
double bondSafetyFactor(bool permanent, qint16 safetyGrade);

// The structural importance coefficient a safety class suggests: 1.1 for
// class 1, 1.0 otherwise.
double suggestedGamma0(qint16 safetyGrade);

class DesignRules
{
    Q_DECLARE_TR_FUNCTIONS(DesignRules)

public:
    // Screen words of the choices; a value outside its list reads "?" and
    // its number.
    static QString safetyGrade(qint16 grade); // 一级, 二级, 三级
    static QString service(qint16 permanent); // 永久 (1), 临时 (0)
    static QString rebarGrade(qint16 grade); // HPB300, HRB335, HRB400, HRB500
    static QString groutGrade(qint16 grout); // M25, M30, M35

    // The first value of the design data outside sense, as a phrase naming
    // it; empty when all make sense.
    static QString problem(const DesignInfo &design);
    // The bar cover `as` of the design data must stay below half of every
    // section it designs: the piles of the project and, in a double row, the
    // back pile and the link beam.
    static QString sectionProblem(const DesignInfo &design, const PileInfo &front,
        const PileInfo &back, const LinkBeamInfo &beam, bool doubleRow);
};
