#pragma once

// Plain value records of one project. Field names follow the keys of the
// project file; where a key appears in more than one group of a record the
// group is part of the name (topXg, bottomXg). Every record starts with the
// values a file reader assumes for an element it has not seen yet.

#include "model/codes.h"

#include <QString>

struct BaseInfo
{
    QString ProjectName = QStringLiteral("某工程抗滑桩项目");
    qint32 PileForm = SINGLEROW;
    double slideBackH = 6.0; // SlideDepthBack.h
    double slideBackYg = -6.0; // SlideDepthBack.yg
    double slideFrontH = 6.0; // SlideDepthFront.h
    double slideFrontYg = -6.0; // SlideDepthFront.yg
    double cutH = 6.0; // CutDepth.h
    double cutYg = -6.0; // CutDepth.yg
    double aforce = -480.0; // BaseForce.aforce, thrust held negative
    double pforce = 0.0; // BaseForce.pforce
    qint16 shape = DISTTRIANGLE; // BaseForce.shape
    double ratio = 1.0; // BaseForce.ratio, trapezoid top/bottom
    double dl = 1.0; // Setting.dl
    double space = 3.5; // Position.space
    float reduceE = 1.0f; // Setting.reduceE
    double row = 4.0; // Position.row
    double dpel = 0.0; // Position.dpel
    qint16 interact = INTERACTES; // Setting.interact
    double mRatio = 0.6; // Setting.ratio, m/m0 at a free pile base
    bool weight = true; // Setting.weight
};

struct PileInfo
{
    qint16 id = 1;
    double length = 15.0; // Size.length
    double topElevation = 0.0; // Top.elevation
    double topXg = 0.0;
    double topYg = 0.0;
    double bottomXg = 0.0;
    double bottomYg = 0.0;
    qint16 shp = SECTROUND; // Shape.shp
    double diameter = 1.2; // Size.diameter
    double height = 1.5; // Size.height
    double width = 1.0; // Size.width
    double area = 1.13; // Size.area
    double I = 0.203; // Proprety.I
    qint16 grade = 35; // Proprety.grade
    double E = 3.0e7; // Proprety.E
    qint16 support = SUPPORTHINGED; // Proprety.support
    qint32 sptindex = -1; // Proprety.sptindex
    double space = 3.5; // Shape.space
    double b0 = 1.98; // Shape.b0
};

struct LinkBeamInfo
{
    qint16 id = 1;
    double length = 4.0; // Size.length
    double leftXg = 0.0;
    double leftYg = 0.0;
    double rightXg = 0.0;
    double rightYg = 0.0;
    double height = 0.8; // Size.height
    double width = 1.4; // Size.width
    double area = 1.12; // Size.area
    double I = 0.203; // Proprety.I
    qint16 grade = 35; // Proprety.grade
    double E = 3.15e7; // Proprety.E
};

struct SoilInfo
{
    qint16 id = 1;
    QString Name = QStringLiteral("岩土层1");
    double r = 18.0; // Coefficient.r, unit weight
    double c = 15.0; // Coefficient.c, cohesion
    double fi = 20.0; // Coefficient.fi, friction angle
    double Es = 10000.0; // Coefficient.Es
    double thickness = 10.0; // Position.thickness
    double bottomY = 0.0; // Position.bottomY
    qint16 type = METHODM; // Resistance.type
    double m = 7500.0; // Resistance.m
    double k = 12000.0; // Resistance.k
    double frk = 0.0; // Rock.frk, kPa: uniaxial compressive strength; 0 for a soil
};

struct AnchorInfo
{
    qint16 id = 1;
    qint16 anchorType = ANCHORCABLE; // Type.anchor
    qint16 soilType = BONDSOIL; // Type.soil
    qint32 cableNum = 6; // Cable.num
    qint32 rodNum = 2; // Rod.num
    double cableDiam = 15.2; // Cable.diam, mm
    double rodDiam = 25.0; // Rod.diam, mm
    double A = 0.001088; // Bar.A
    double Dc = 0.15; // Cement.Dc
    double Ac = 0.01766; // Cement.Ac
    double Es = 1.95e8; // Bar.Es
    double Em = 3.0e7; // Cement.Em
    double Ec = 4.0e7; // Cement.Ec
    double lf = 15.0; // Size.lf
    double la = 8.0; // Size.la
    double preforce = 0.0; // Proprety.preforce
    double angle = 25.0; // Size.angle, degrees below horizontal
    qint16 object = OBJPILE; // Proprety.object
    double kh = 8595.34; // Proprety.kh
    double kv = 8595.34; // Proprety.kv
    double distance = 0.0; // Position.distance
    double x1g = 0.0, y1g = 0.0; // head
    double x2g = 0.0, y2g = 0.0; // end of the free length
    double x3g = 0.0, y3g = 0.0; // end of the bond length
    double forceH = 0.0; // Result.forceH
    double forceV = 0.0; // Result.forceV
    double frbk = 50.0; // Bond.frbk, kPa: bond strength between grout and ground

    // Fills A, Es, Ac, Ec, kh and kv from the anchor's data.
    void computeStiffness();
    // Axial force of the tendon from the analysed head forces, kN: the
    // prestress plus the spring's stretch along the anchor's axis. forceH
    // and forceV each carry the prestress's component, so it is taken off
    // once; a horizontal anchor has no vertical spring and its axial force
    // is forceH alone.
    double axialForce() const;
};

// Bond strength between grout and ground in kPa that an anchor has until
// the user gives one: 360 in rock, 50 in soil.
double defaultBondStrength(qint16 soilType);

// Area of one steel strand in mm² by its nominal diameter in mm (140 for a
// diameter the table does not list).
double strandArea(double diameter);

// The choices of the design checks: safety, reinforcement, ground, anchors
// and displacement limits (DesignData in the project file).
struct DesignInfo
{
    qint16 grade = 2; // Safety.grade, slope safety class 1, 2 or 3
    qint16 permanent = 1; // Safety.permanent, anchors permanent (1) or temporary (0)
    double gamma0 = 1.0; // Safety.gamma0, structural importance coefficient
    double gammaF = 1.35; // Safety.gammaF, load factor on the analysed actions
    qint16 rebarMain = 400; // Rebar.main, longitudinal bar grade
    qint16 rebarStirrup = 300; // Rebar.stirrup, stirrup grade
    double rebarDiam = 32.0; // Rebar.diam, longitudinal bar diameter, mm
    double stirrupDiam = 16.0; // Rebar.stirrupDiam, mm
    qint16 legs = 4; // Rebar.legs, stirrup legs of a rectangular section
    double as = 0.08; // Rebar.as, tension edge to the bars' centroid, m
    double kh = 0.5; // Ground.kh, K_H of the rock bearing rule
    double eta = 0.3; // Ground.eta, η of the rock bearing rule
    double fpy = 1320.0; // Anchor.fpy, design strength of strand, MPa
    qint16 anchorBar = 400; // Anchor.bar, anchor bar grade
    qint16 grout = 30; // Anchor.grout, grout grade M25, M30 or M35
    double limitTop = 0.10; // Limit.top, largest pile-top displacement, m
    double limitTopRatio = 0.01; // Limit.topRatio, share of the length above the sliding surface
    double limitSlip = 0.01; // Limit.slip, largest displacement at the sliding surface, m
};

struct ForceInfo
{
    qint16 id = 0;
    qint16 type = LOADPNT; // Proprety.type
    double F = 10.0; // PntLoad.F, per metre of slope width
    double Fg = 10.0; // PntLoad.Fg, per pile
    double M = 10.0; // MomLoad.M
    double Mg = 10.0; // MomLoad.Mg
    double q1 = 10.0; // DistLoad.q1
    double q2 = 10.0; // DistLoad.q2
    double q1g = 10.0; // DistLoad.q1g
    double q2g = 10.0; // DistLoad.q2g
    double length = 1.0; // DistSize.length
    qint16 shape = DISTTRIANGLE; // DistSize.shape
    double ratio = 1.0; // DistSize.ratio
    qint16 direction = DIRHORIZONTAL; // Proprety.direction
    qint16 object = OBJPILE; // Proprety.object
    double distance = 0.0; // Position.distance
    double x1g = 0.0, y1g = 0.0; // start point
    double x2g = 0.0, y2g = 0.0; // end point of a distributed force
};

// One node of the analysis model.
struct NodeInfo
{
    qint16 id = 0;
    double Xg = 0.0, Yg = 0.0;
    double b0 = 0.0;
    double upH = 0.0, downH = 0.0;
    double SKr = 0.0, SKl = 0.0, SKd = 0.0;
    double AKl = 0.0, AKu = 0.0;
    double Kr = 0.0, Kl = 0.0, Ku = 0.0, Kd = 0.0;
    double FX = 0.0, FY = 0.0, FM = 0.0;
    double OriginX = 0.0, OriginY = 0.0;
    double Dx = 0.0, Dy = 0.0;
    qint32 RorL = STATENEW;
    qint32 UorD = STATENEW;
};

// One element of the analysis model.
struct BeamInfo
{
    qint32 i = 0, j = 1;
    qint32 ob = OBJPILE;
    double E = 3.0e7, A = 1.13, I = 0.203, L = 0.0;
    double c = 0.0, s = 0.0;
    double Ni = 0.0, Qi = 0.0, Mi = 0.0, Nj = 0.0, Qj = 0.0, Mj = 0.0;
    double Origin = 0.0;
    double Dl = 0.0;
    qint32 bEs = STATENEW;
};

// End displacements, end forces and pressures of one element.
struct ResultInfo
{
    qint32 i = 0, j = 0;
    qint32 ob = OBJPILE;
    double Xi = 0.0, Yi = 0.0, Ai = 0.0, Xj = 0.0, Yj = 0.0, Aj = 0.0;
    double Ni = 0.0, Qi = 0.0, Mi = 0.0, Nj = 0.0, Qj = 0.0, Mj = 0.0;
    double SPi = 0.0, SPj = 0.0, BPi = 0.0, BPj = 0.0;
};

// Displacement, moment, shear and soil reaction extremes of one pile.
struct ExtremeValues
{
    double D = 0.0, M = 0.0, Q = 0.0, R = 0.0;
};

struct ResultExtremes
{
    ExtremeValues Max1, Min1, Max2, Min2;
};
