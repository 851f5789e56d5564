#include "pipeshare.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The share of a pipe's cross-section that lies below height h above its bottom.
double shareBelow(double h, double D)
{
    if (D <= 0)
        return h >= 0 ? 1 : 0;
    const double t = std::clamp(2 * h / D - 1, -1.0, 1.0);
    return (std::asin(t) + t * std::sqrt(1 - t * t)) / std::numbers::pi + 0.5;
}

} // namespace

std::vector<double> pipeShares(const CrossSection &drawn, double P, double D)
{
    const double pipeBottom = drawn.top - P;
    std::vector<double> shares;
    shares.reserve(drawn.areas.size());
    for (const AreaShape &area : drawn.areas)
        shares.push_back(shareBelow(area.bottom + area.height - pipeBottom, D)
                         - shareBelow(area.bottom - pipeBottom, D));
    return shares;
}

bool coefficientDiffers(const AreaValues &area, double share)
{
    const double shown = std::round(share * 100) / 100;
    return area.coefficient && std::abs(*area.coefficient - shown) > 0.05 + 1e-9;
}

std::vector<CoefficientMismatch> coefficientMismatches(const TrenchSection &section, double L, double D, double from,
                                                       double to)
{
    return coefficientMismatches(section.at(L, from), from, section.at(L, to), to, D);
}

std::vector<CoefficientMismatch> coefficientMismatches(const CrossSection &start, double from, const CrossSection &end,
                                                       double to, double D)
{
    std::vector<CoefficientMismatch> mismatches;
    if (!start.whole() || !end.whole())
        return mismatches;
    const double bottomAtStart = start.top - from;
    const double bottomAtEnd = end.top - to;
    std::vector<double> along; // fractions of the way from `from` to `to`
    for (size_t a = 0; a < start.areas.size(); ++a) {
        const AreaValues &values = *start.areas[a].values;
        if (!values.coefficient)
            continue;
        // The area's foot and top above the pipe's bottom, at each end.
        const double foot0 = start.areas[a].bottom - bottomAtStart;
        const double top0 = foot0 + start.areas[a].height;
        const double foot1 = end.areas[a].bottom - bottomAtEnd;
        const double top1 = foot1 + end.areas[a].height;
        // Wholly above or below the pipe at both ends, so all along: none of it.
        if ((foot0 >= D && foot1 >= D) || (top0 <= 0 && top1 <= 0)) {
            if (std::abs(*values.coefficient) > 0.05 + 1e-9)
                mismatches.push_back({&values, to, 0});
            continue;
        }
        along.assign({0.0, 1.0});
        const auto meets = [&along](double at0, double at1, double height) {
            if (at0 != at1) {
                const double s = (height - at0) / (at1 - at0);
                if (s > 0 && s < 1)
                    along.push_back(s);
            }
        };
        for (const double height : {0.0, D / 2, D}) {
            meets(foot0, foot1, height);
            meets(top0, top1, height);
        }
        meets((foot0 + top0) / 2, (foot1 + top1) / 2, D / 2);
        std::sort(along.begin(), along.end());
        std::optional<CoefficientMismatch> worst;
        double worstBy = 0;
        for (const double s : along) {
            const double foot = foot0 + s * (foot1 - foot0);
            const double top = top0 + s * (top1 - top0);
            const double share = shareBelow(top, D) - shareBelow(foot, D);
            if (!coefficientDiffers(values, share))
                continue;
            const double by = std::abs(*values.coefficient - std::round(share * 100) / 100);
            if (!worst || by >= worstBy - 1e-12) {
                worst = CoefficientMismatch{&values, from + s * (to - from), share};
                worstBy = by;
            }
        }
        if (worst)
            mismatches.push_back(*worst);
    }
    return mismatches;
}
