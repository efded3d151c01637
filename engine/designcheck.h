#pragma once

// The rules of the design checks as functions of plain numbers, one rule a
// function. Units as the engineer writes them: forces in kN, moments in
// kN·m, lengths of sections and piles in m, strengths in MPa, ground
// strengths and pressures in kPa, bar diameters in mm; areas come back in
// mm², stirrup areas in mm² per metre of pile and spacings in mm.
// designchecks.h applies them to an analysed project.

// Reinforcement of a section in bending without axial force.
struct FlexureDesign
{
    double Md = 0.0; // design moment, kN·m
    double alphaS = 0.0; // rectangular: αs = Md/(α1·fc·b·h0²)
    double xi = 0.0; // rectangular: relative depth of the compression zone ξ
    double xiB = 0.0; // rectangular: its limit ξb
    double alpha = 0.0; // round: the compression zone's share of the circle α
    double asRequired = 0.0; // mm², the steel the moment needs
    double asMin = 0.0; // mm², the least steel of the section
    double area = 0.0; // mm², the section's area
    int bars = 0; // bars of the chosen diameter covering max(As, As,min)
    // The section is too small: αs ≥ 0.5 or ξ > ξb (rectangular, single
    // reinforcement), or more steel than 5 % of the section (round).
    bool tooSmall = false;
    bool ok = true;
};

// ξb = 0.8/(1 + fy/(Es·εcu)).
double balancedHeight(double fy);

// The fewest bars of `diameter` mm whose area covers `area` mm².
int barCount(double area, double diameter);

// Rectangular section b × h (m), bars `as` (m) from the tension edge.
FlexureDesign rectangularFlexure(
    double Md, double b, double h, double as, double fc, double ft, double fy, double barDiameter);

// Round section of diameter D (m), bars evenly round a circle `as` (m) inside
// the edge. The share α of the compression zone is found by bisection.
FlexureDesign roundFlexure(
    double Md, double D, double as, double fc, double ft, double fy, double barDiameter);

// Shear of a section of width b and effective depth h0 (m).
struct ShearDesign
{
    double Vd = 0.0; // design shear, kN
    double b = 0.0, h0 = 0.0; // m
    double beta = 0.25; // factor of the section limit
    double Vlimit = 0.0; // section limit Vu, kN
    double Vc = 0.0; // shear the concrete carries, kN
    double asvPerMetre = 0.0; // stirrup area per metre, mm²/m
    double spacing = 0.0; // stirrup spacing, mm, rounded down to 10 mm
    bool ok = true;
};

ShearDesign shearCheck(double Vd, double b, double h0, double fc, double ft, double fyv, int legs,
    double stirrupDiameter);

// Lateral bearing f_H (kPa) of soil at depth y (m) below the sliding
// surface: γ2 and φ0 (degrees) of the layer at that depth, h1 the depth of
// the sliding surface (m) and γ1 the mean unit weight above it (kN/m³).
double soilBearing(double y, double gamma2, double phi0, double gamma1, double h1);

// Lateral bearing of rock, kPa: K_H·η·frk.
double rockBearing(double frk, double kh, double eta);

// The largest pile-top displacement allowed: the share `ratio` of the length
// above the sliding surface, never more than `largest` (m).
double topDisplacementLimit(double ratio, double lengthAbove, double largest);

// Tendons and bond length of an anchor carrying Nak (kN).
struct AnchorDesign
{
    double Nak = 0.0; // kN
    double tendonsRequired = 0.0; // Kb·Nak/(f·A1)
    int tendons = 0;
    double bondGround = 0.0; // m, K·Nak/(π·Dc·frbk)
    double bondTendon = 0.0; // m, K·Nak/(n·π·d·fb)
    double bondRequired = 0.0; // m, the larger of the two
    double bond = 0.0; // m, the anchor's bond length
    // False when a strength, a diameter or the tendon count is not positive.
    bool evaluable = true;
    bool ok = true;
};

// `tendonArea` (mm²), `strength` (MPa) and `diameter` (mm) of one tendon;
// Dc the borehole diameter (m), frbk (kPa), fb (MPa), bond the bond length (m).
AnchorDesign anchorCheck(double Nak, int tendons, double tendonArea, double strength,
    double diameter, double Kb, double K, double Dc, double frbk, double fb, double bond);
