#pragma once

// The design checks of an analysed project as one typed value. From the
// analysed moments and shears of each member (the single or front pile, the
// back pile, the link beam) it designs the reinforcement and the stirrups;
// for each pile it checks the displacements and the lateral bearing of the
// ground along the embedded section; for each anchor the analysis uses, its
// tendons and its bond length. The summary in the log, the dock's lines, the
// command line, the JSON file and the report's chapter are all made from
// this value. It reads the project and its results, and writes nothing.

#include "engine/designcheck.h"
#include "model/designdata.h"
#include "model/project.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

struct FlexureCheck
{
    // "+" or "-" for the largest moment of each sign on a rectangular
    // section (tension on opposite faces), "±" for the larger of the two on
    // a round one.
    QString sign;
    FlexureDesign design;
};

struct DisplacementCheck
{
    double top = 0.0; // |D| at the pile top, m
    double topLimit = 0.0; // m
    double lengthAbove = 0.0; // pile top to sliding surface, m
    bool slipFound = false; // whether the pile has a node on the sliding surface
    double slip = 0.0; // |D| at the sliding surface, m
    double slipLimit = 0.0; // m
    bool topOk() const { return top <= topLimit; }
    bool slipOk() const { return slipFound && slip <= slipLimit; }
};

struct BearingCheck
{
    bool rock = false;
    double depth = 0.0; // y below the sliding surface, m
    int layer = 0; // index of the layer in the project's list
    QString layerName;
    double sigma = 0.0; // |soil reaction|, kPa
    double allowable = 0.0; // f_H, or K_H·η·frk in rock, kPa
    // The values of the formula: γ2, φ0 of the layer, γ1 and h1 above the
    // sliding surface (soil); frk of the layer (rock).
    double gamma2 = 0.0, phi0 = 0.0, gamma1 = 0.0, h1 = 0.0, frk = 0.0;
    // A soil whose f_H is not positive cannot be checked.
    bool evaluable = true;
    bool ok = true;
};

struct MemberCheck
{
    qint16 object = OBJPILE; // OBJPILE, OBJBACKPILE or OBJBEAM
    bool round = false;
    double b = 0.0; // m: width, or the diameter of a round section
    double h = 0.0; // m: height, or the diameter
    qint16 grade = 30;
    ConcreteStrength concrete;
    // The analysed (characteristic) envelope: largest positive and negative
    // moment, kN·m, and the largest shear of either sign, kN.
    double Mpos = 0.0, Mneg = 0.0, V = 0.0;
    QList<FlexureCheck> flexure;
    ShearDesign shear;

    // Piles only.
    bool pile = false;
    double topElevation = 0.0, slideElevation = 0.0, bottomElevation = 0.0; // m
    double embedded = 0.0; // h2, sliding surface to pile bottom, m
    DisplacementCheck displacement;
    QList<BearingCheck> bearing;

    bool ok() const;
};

struct AnchorCheck
{
    int number = 0; // position in the anchor list, from 1
    qint16 anchorType = ANCHORCABLE;
    qint16 object = OBJPILE;
    double diameter = 0.0; // tendon, mm
    double tendonArea = 0.0; // A1, mm²
    double strength = 0.0; // fpy or fy, MPa
    double Kb = 0.0, K = 0.0;
    double Dc = 0.0; // m
    double frbk = 0.0; // kPa
    double fb = 0.0; // MPa
    AnchorDesign design;
};

struct DesignResult
{
    // False without valid results, or when the design data make no sense
    // (`problem` says which); nothing else is filled then.
    bool valid = false;
    QString problem;
    bool doubleRow = false;
    DesignInfo design;
    double factor = 1.0; // γ0·γF
    QList<MemberCheck> members; // the single or front pile, the back pile, the beam
    QList<AnchorCheck> anchors;

    bool ok() const { return failures() == 0; }
    // How many checks are not satisfied: each reinforcement, shear,
    // displacement, bearing and anchor check counts once.
    int failures() const;
};

// Every design check of a project with valid results.
DesignResult designChecks(const Project &doc);

// One check as a line: what was checked, the numbers and 满足/不满足.
struct DesignLine
{
    QString text;
    bool ok = true;
};

class DesignText
{
    Q_DECLARE_TR_FUNCTIONS(DesignText)

public:
    // The member as the lines name it: 抗滑桩 (single row), 前桩, 后桩, 横梁.
    static QString member(const MemberCheck &m, bool doubleRow);
    // The key of the member in the JSON file: front, back, beam.
    static QString key(qint16 object);
    // One line per check, members first, then the anchors; the problem of
    // the design data as the only line when there is one.
    static QList<DesignLine> lines(const DesignResult &result);
    // "设计验算：N项不满足".
    static QString summary(const DesignResult &result);
    // 满足 or 不满足.
    static QString verdict(bool ok);
};
