#include "labellayout.h"

#include <algorithm>
#include <numeric>

namespace {

// Labels that touch one another, placed together: their first label's top
// is the mean of the tops each one's wanted centre asks of it.
struct Block
{
    size_t count = 0;
    double sumOfTops = 0;
    double top = 0;
};

} // namespace

std::vector<std::optional<double>> spreadLabels(const std::vector<double> &wanted, double height, double low,
                                                double high)
{
    std::vector<std::optional<double>> centres(wanted.size());
    if (wanted.empty() || height <= 0)
        return centres;
    std::vector<size_t> order(wanted.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return wanted[a] < wanted[b]; });

    const size_t fit = size_t(std::max(0.0, (high - low) / height));
    if (fit == 0)
        return centres;
    if (fit < order.size()) {
        std::vector<size_t> kept;
        for (size_t k = 0; k < fit; ++k)
            kept.push_back(order[fit == 1 ? 0 : k * (order.size() - 1) / (fit - 1)]);
        order = kept;
    }

    const auto place = [&](Block &block) {
        block.top = std::clamp(block.sumOfTops / double(block.count), low, high - double(block.count) * height);
    };
    std::vector<Block> blocks;
    for (const size_t label : order) {
        Block block{1, wanted[label] - height / 2, 0};
        place(block);
        blocks.push_back(block);
        while (blocks.size() > 1) {
            Block &before = blocks[blocks.size() - 2];
            const Block &last = blocks.back();
            if (before.top + double(before.count) * height <= last.top + 1e-9)
                break;
            // The last block's labels come after the earlier ones', which moves
            // the top each of them asks for up by the earlier block's height.
            before.sumOfTops += last.sumOfTops - double(last.count * before.count) * height;
            before.count += last.count;
            place(before);
            blocks.pop_back();
        }
    }
    size_t next = 0;
    for (const Block &block : blocks)
        for (size_t k = 0; k < block.count; ++k)
            centres[order[next++]] = block.top + (double(k) + 0.5) * height;
    return centres;
}
