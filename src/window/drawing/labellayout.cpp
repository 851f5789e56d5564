#include "labellayout.h"

#include <algorithm>
#include <numeric>

namespace {

// Labels that touch one another, placed together: the block's top is the
// mean of the tops each of its labels' wanted centres asks of it.
struct Block
{
    size_t count = 0;
    double height = 0;
    double sumOfTops = 0;
    double top = 0;
};

} // namespace

std::vector<std::optional<double>> spreadLabels(const std::vector<double> &wanted, const std::vector<double> &heights,
                                                double low, double high)
{
    std::vector<std::optional<double>> centres(wanted.size());
    if (wanted.empty())
        return centres;
    std::vector<size_t> order(wanted.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return wanted[a] < wanted[b]; });

    // The most labels that fit, spread evenly: the first, the last and
    // those between.
    const size_t n = order.size();
    for (size_t keep = n; keep > 0; --keep) {
        std::vector<size_t> kept;
        for (size_t k = 0; k < keep; ++k)
            kept.push_back(order[keep == 1 ? 0 : k * (n - 1) / (keep - 1)]);
        double total = 0;
        for (const size_t label : kept)
            total += heights[label];
        if (total <= high - low + 1e-9) {
            order = kept;
            break;
        }
        if (keep == 1)
            return centres;
    }

    const auto place = [&](Block &block) {
        block.top = std::clamp(block.sumOfTops / double(block.count), low, high - block.height);
    };
    std::vector<Block> blocks;
    for (const size_t label : order) {
        Block block{1, heights[label], wanted[label] - heights[label] / 2, 0};
        place(block);
        blocks.push_back(block);
        while (blocks.size() > 1) {
            Block &before = blocks[blocks.size() - 2];
            const Block &last = blocks.back();
            if (before.top + before.height <= last.top + 1e-9)
                break;
            // The last block's labels come after the earlier ones', which moves
            // the top each of them asks for up by the earlier block's height.
            before.sumOfTops += last.sumOfTops - double(last.count) * before.height;
            before.count += last.count;
            before.height += last.height;
            place(before);
            blocks.pop_back();
        }
    }
    size_t next = 0;
    for (const Block &block : blocks) {
        double top = block.top;
        for (size_t k = 0; k < block.count; ++k) {
            const size_t label = order[next++];
            centres[label] = top + heights[label] / 2;
            top += heights[label];
        }
    }
    return centres;
}
