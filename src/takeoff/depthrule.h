#pragma once

#include "trenchsection.h"

#include <QString>
#include <optional>

// The one rule of where the section holds, which the drawing, the table
// depth by depth, the stretches, the report and the computo all follow: at
// a depth P of the pipe's bottom the section holds when it can be drawn
// whole (every width and height at least half a millimetre) and the pipe
// lies in the trench: its bottom not below the trench bottom, its crown not
// above the top (P at least D).

enum class DepthFault {
    NotDrawn,  // an area cannot be drawn at that depth
    PipeAbove, // P less than D: the pipe's crown above the top
    PipeBelow, // the pipe's bottom below the trench bottom
};

// Why the section, drawn as `drawn` at P, does not hold there with a pipe
// of diameter D; nothing when it holds.
std::optional<DepthFault> depthFault(const CrossSection &drawn, double P, double D);

// The depths at which the section holds with a pipe of diameter D: the
// drawable ones, from D on, and, without an area whose height follows P,
// down to the section's height.
DepthRange holdingDepths(const TrenchSection &section, double L, double D);

// How the range reads after "vale": "per P maggiore di 0,50 m" (the depths
// to the millimetre that hold: a bound that is not itself a millimetre is
// the last one that does not), "per P di almeno 0,40 m", "per P da 0,40 a
// 1,70 m", "per P maggiore di 0,50 e fino a 2,498 m", or "a nessuna
// profondità" after "non vale".
QString holdsFor(const DepthRange &range);

// A fault at P in words, after "Tratto T1: " or as a sentence's start:
// "con P = 5,00 m il fondo del tubo è sotto il fondo dello scavo", "con P
// = 0,30 m il tubo esce dallo scavo (P minore di D = 0,40 m)", "con P =
// 0,40 m la sezione non vale (vale per P maggiore di 0,50 m)".
QString faultText(DepthFault fault, double P, double D, const DepthRange &range);
