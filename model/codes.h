#pragma once

// Code tables of the project records. The values are stored in project
// files, so they never change.

#include <QtGlobal>

// Support form (BaseInfo::pileForm)
constexpr qint32 SINGLEROW = 1;
constexpr qint32 DOUBLEROW = 2;

// Distribution of thrust and resistance over depth, and of derived forces
constexpr qint16 DISTTRIANGLE = 51;
constexpr qint16 DISTRECTANGLE = 52;
constexpr qint16 DISTTRAPEZOID = 53;

// Pile section
constexpr qint16 SECTSQUARE = 21;
constexpr qint16 SECTROUND = 22;

// Pile bottom support
constexpr qint16 SUPPORTHINGED = 41;
constexpr qint16 SUPPORTFREE = 42;
constexpr qint16 SUPPORTFIXED = 43;

// Soil resistance method
constexpr qint16 METHODM = 11;
constexpr qint16 METHODK = 12;

// Double-row analysis
constexpr qint16 INTERACTES = 101;
constexpr qint16 INDEPENDENTK = 102;

// Force kind and direction
constexpr qint16 LOADDIST = 61;
constexpr qint16 LOADPNT = 62;
constexpr qint16 LOADMOMENT = 63;
constexpr qint16 DIRHORIZONTAL = 64;
constexpr qint16 DIRVERTICAL = 65;

// Carrier of a force or an anchor, and member kind of an analysis element
constexpr qint16 OBJPILE = 81;
constexpr qint16 OBJBACKPILE = 82;
constexpr qint16 OBJBEAM = 83;
constexpr qint16 OBJESLINK = 84;

// Anchor kind and ground of its bond section
constexpr qint16 ANCHORCABLE = 701;
constexpr qint16 ANCHORBAR = 702;
constexpr qint16 BONDROCK = 711;
constexpr qint16 BONDSOIL = 712;

// Contact states of springs and Es links used by the trial calculation
constexpr qint32 STATENEW = 120; // not yet chosen
constexpr qint32 STATENONE = 121; // no spring here / link switched off
constexpr qint32 STATERIGHT = 122; // right spring Kr active
constexpr qint32 STATELEFT = 123; // left spring Kl active
constexpr qint32 STATELINKON = 124; // Es link switched on
constexpr qint32 STATEUP = 125; // up spring Ku active
constexpr qint32 STATEDOWN = 126; // down spring Kd active

// Document::status bits
constexpr qint32 SHOWDATA = 1;
constexpr qint32 SHOWRESULT = 2;
constexpr qint32 SHOWMARK = 4;
constexpr qint32 SHOWDISPLACE = 8;
constexpr qint32 SHOWMOMENT = 16;
constexpr qint32 SHOWSHEAR = 32;
constexpr qint32 SHOWNORMAL = 64;
constexpr qint32 SHOWREACT = 128;

// Tolerance of every geometric comparison: a is above b when a - b > EPS.
constexpr double EPS = 0.00001;
