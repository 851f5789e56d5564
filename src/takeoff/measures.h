#pragma once

#include "priceitems.h"
#include "trenchsection.h"

#include <QString>
#include <optional>
#include <variant>

// The quantities a price list pays along a stretch besides the fill of each
// area: the excavation by depth band (m³), the shoring of the walls (m²),
// the road surface (m²), its cut (m) and the pipe laid (m). Depths are
// measured down from the trench's top. P varies linearly along a stretch,
// so a band's limit meets an area's boundary part way along it: the stretch
// is split there, and each part, where the band's cross-section is at most
// quadratic, is integrated exactly by Simpson's rule.

enum class Measure { Scavo, Armatura, Pavimentazione, Taglio, Tubazione };

// "Scavo", "Armatura", ... as an item writes it.
QString measureName(Measure measure);
// "m³", "m²" or "m".
QString unitOf(Measure measure);

// The walls are shored where the trench is deeper than this, unless the
// item gives its own depth.
constexpr double kShoredBeyond = 1.50;

// What an item measures, its values read as numbers.
struct ItemRule
{
    Measure measure = Measure::Scavo;
    // Scavo: the band's top below the trench's top; Armatura: the depth
    // beyond which the walls are shored.
    double from = 0;
    // Scavo: the band's bottom; none: down to the trench bottom.
    std::optional<double> to;
    // Pavimentazione: beyond the trench's top width, on each side.
    double margin = 0;
};

// The rule of item number `row` (from 1, for the message), or why its
// values do not fit what it measures.
std::variant<ItemRule, QString> itemRule(const PriceItem &item, int row);

// One item over one stretch, with the factors an estimating program's row
// shows: quantity = times × length × factor (no factor for Taglio and
// Tubazione).
struct ItemQuantity
{
    double quantity = 0;
    int times = 1;      // 2 for Armatura (both walls) and Taglio (both edges)
    double length = 0;  // the part of the stretch measured (m)
    // Scavo: the mean cross-section in the band (m²); Armatura: the mean
    // height of the walls shored (m); Pavimentazione: the mean width with
    // its margins (m).
    std::optional<double> factor;
    QString words; // "scavo da 1,50 a 3,00 m", "pareti armate oltre 1,50 m", "taglio", ...
};

// The item over a stretch of `length` metres with P from `start` to `end`,
// along which the whole section holds.
ItemQuantity measureItem(const TrenchSection &section, double L, const ItemRule &rule, double length, double start,
                         double end);
