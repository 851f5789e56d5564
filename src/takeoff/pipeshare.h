#pragma once

#include "trenchsection.h"

#include <vector>

// The share of the pipe's cross-section that lies in each area, and the
// coefficients of deduction that do not agree with it: at one depth, or
// anywhere along a stretch where P varies from one depth to another.

// Each drawn area's share of the pipe, 0 to 1, with the pipe's bottom at P
// below the section's top.
std::vector<double> pipeShares(const CrossSection &drawn, double P, double D);

// Whether an area's coefficient of deduction differs by more than 0,05 from
// its share of the pipe, as the tables round the share (two places).
bool coefficientDiffers(const AreaValues &area, double share);

// An area whose coefficient differs from its share: where it differs most.
struct CoefficientMismatch
{
    const AreaValues *area = nullptr;
    double P = 0;
    double share = 0;
};

// The areas whose coefficient differs from their share somewhere from P
// `from` to `to`, where the section holds all along. Between two depths
// every boundary moves linearly against the pipe, so a share is monotone
// between the depths where a boundary meets the pipe's bottom, centre or
// crown, or an area's middle meets the pipe's centre: it is checked there
// and at both ends. Where a share differs as much at several depths, the
// last one towards `to` is given.
std::vector<CoefficientMismatch> coefficientMismatches(const TrenchSection &section, double L, double D, double from,
                                                       double to);
// The same with the section already drawn at both depths.
std::vector<CoefficientMismatch> coefficientMismatches(const CrossSection &start, double from, const CrossSection &end,
                                                       double to, double D);
