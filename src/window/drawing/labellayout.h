#pragma once

#include <optional>
#include <vector>

// Places labels along a line (the texts beside a drawing) so that none
// overlaps another: each as near the centre it wants as the others let it,
// all between low and high, in the order of the centres they want. Each
// label has its own height. When they cannot all fit, as many as fit are
// kept, spread evenly over the order, and the others get no place. Returns
// each label's centre, in the order given.
std::vector<std::optional<double>> spreadLabels(const std::vector<double> &wanted, const std::vector<double> &heights,
                                                double low, double high);
