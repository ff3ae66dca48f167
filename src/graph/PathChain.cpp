#include "graph/PathChain.h"

namespace quorvel::graph {

std::vector<SheetPath> chainSegments(std::span<const typeset::PointF> points,
                                     std::span<const std::pair<int, int>> segments) {
    // The segments at each point, as ranges of one array.
    const std::size_t n = points.size();
    std::vector<std::size_t> first(n + 1, 0);
    for (const auto& [a, b] : segments) {
        ++first[static_cast<std::size_t>(a) + 1];
        ++first[static_cast<std::size_t>(b) + 1];
    }
    for (std::size_t p = 0; p < n; ++p)
        first[p + 1] += first[p];
    std::vector<std::size_t> at(first.begin(), first.end() - 1);
    std::vector<std::size_t> incident(segments.size() * 2);
    for (std::size_t s = 0; s < segments.size(); ++s) {
        incident[at[static_cast<std::size_t>(segments[s].first)]++] = s;
        incident[at[static_cast<std::size_t>(segments[s].second)]++] = s;
    }
    std::vector<std::size_t> next(first.begin(), first.end() - 1); // the first segment not yet looked at
    std::vector<bool> used(segments.size(), false);

    auto unusedAt = [&](std::size_t p) -> long {
        for (; next[p] < first[p + 1]; ++next[p])
            if (!used[incident[next[p]]]) return static_cast<long>(incident[next[p]]);
        return -1;
    };
    std::vector<SheetPath> paths;
    auto walkFrom = [&](std::size_t start) {
        SheetPath path{points[start]};
        std::size_t p = start;
        for (long s = unusedAt(p); s >= 0; s = unusedAt(p)) {
            used[static_cast<std::size_t>(s)] = true;
            const auto& [a, b] = segments[static_cast<std::size_t>(s)];
            p = static_cast<std::size_t>(static_cast<std::size_t>(a) == p ? b : a);
            if (!(points[p] == path.back())) path.push_back(points[p]);
        }
        if (path.size() >= 2) paths.push_back(std::move(path));
    };
    for (std::size_t p = 0; p < n; ++p)
        if ((first[p + 1] - first[p]) % 2 == 1) walkFrom(p);
    for (std::size_t p = 0; p < n; ++p)
        while (unusedAt(p) >= 0)
            walkFrom(p);
    return paths;
}

} // namespace quorvel::graph
