#pragma once

#include "takeoff/priceitems.h"
#include "takeoff/stretches.h"

#include <QString>
#include <optional>
#include <vector>

// A job as the drawing window holds it and its file keeps it: the job's
// name, the dimensions of the calculation, the range of the table depth by
// depth, the stretches and the job's own price items. The section being
// edited is not part of it: ComputoPersonalizzato.txt keeps that.

// The boxes "P da", "a" and "passo" as typed.
struct DepthBoxes
{
    QString from;
    QString to;
    QString step;

    bool operator==(const DepthBoxes &) const = default;
};

struct Job
{
    QString name; // "Lavoro"
    double L = 0.80;
    double P = 1.50;
    double D = 0.40;
    std::optional<int> DN; // none: D in millimetres
    double wall = 0;       // the pipe's wall thickness, for the imports
    std::optional<DepthBoxes> depths; // none: following P
    std::vector<Stretch> stretches;
    std::vector<PriceItem> items;

    // Whether it holds nothing the user gave: no name, stretch or item.
    bool isEmpty() const;
    bool operator==(const Job &) const = default;
};
