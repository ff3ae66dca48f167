#include "graph/CurveAnalysis.h"

#include "graph/BrentSolver.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace quorvel::graph {

namespace {

constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
// A value within this many times its noise bound is 0 (as expr::shownValue decides).
constexpr double kNoiseFactor = 4;
// Steep steps of the grid are cut into this many parts, and the parts that are still steep once more.
constexpr int kRefineParts = 16;
constexpr int kRefineLevels = 2;
// A step is steep when it changes the value by more than this many times the larger neighbouring step.
constexpr double kBurst = 4;
// Grids finer than this are taken as this fine (a sheet is a few thousand columns wide).
constexpr int kMaxGridColumns = 1 << 16;
// The work bound: evaluations per grid column, all solving included, and a floor for small grids.
constexpr long kEvaluationsPerColumn = 64;
constexpr long kEvaluationsFloor = 20000;
// Zero-valued grid points in a row: up to this many are one zero where the curve touches the axis;
// more are a stretch where it lies on the axis, which has no zero to show.
constexpr std::size_t kMaxZeroRun = 4;
// An extremum whose value is within this fraction of its rise over the grid step touches the axis.
constexpr double kTouching = 1e-9;
// The continuity probes: at d0 · 100^-k from the point, k = 0 … kProbeLevels - 1, d0 at most 1e-4 · max(1,
// |x|).
constexpr int kProbeLevels = 5;
constexpr double kProbeStart = 1e-4;
constexpr double kProbeRatio = 1e-2;
// Zeros closer than this (relative) with a curve between them that stays 0 within its noise are one zero;
// extrema of one kind closer than kSameExtremum are one.
constexpr double kSameZero = 1e-6;
constexpr double kSameExtremum = 1e-7;
constexpr std::size_t kPointMargin = 8;
// The precision the points are promised to (relative to max(1, |x|)).
constexpr double kZeroTolerance = 1e-10;
constexpr double kExtremumTolerance = 1e-7;

double scaleOf(double x) {
    return std::max(1.0, std::fabs(x));
}

// 10^k, exactly for the k that matter (|k| <= 22).
double powerOfTen(int k) {
    static constexpr std::array<double, 23> kPowers{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const int magnitude = std::abs(k);
    const double p =
        magnitude < 23 ? kPowers[static_cast<std::size_t>(magnitude)] : std::pow(10.0, magnitude);
    return k < 0 ? 1 / p : p;
}

// The multiple of 10^k nearest x, as the double nearest that decimal.
double roundToPower(double x, int k) {
    if (k >= 0) return std::round(x / powerOfTen(k)) * powerOfTen(k);
    return std::round(x * powerOfTen(-k)) / powerOfTen(-k);
}

// The number with the fewest decimals within cap of x that accept takes, trying the multiples of 10^k
// nearest x from k above the magnitude of x (0 first, when it is near enough) down to a thousandth of
// cap; x itself when none is taken.
template <typename Accept> double simplestNear(double x, double cap, Accept accept) {
    if (!(cap > 0) || !std::isfinite(x)) return x;
    const int lowest = static_cast<int>(std::floor(std::log10(cap))) - 3;
    double tried = std::numeric_limits<double>::quiet_NaN();
    for (int k = static_cast<int>(std::ceil(std::log10(std::max(std::fabs(x), cap)))) + 1; k >= lowest; --k) {
        const double q = roundToPower(x, k);
        if (q == tried || !(std::fabs(q - x) <= cap)) continue;
        if (q == x) return x;
        tried = q;
        if (accept(q)) return q;
    }
    return x;
}

struct Sample {
    double x;
    double y;
    bool defined;
};

// One point found before duplicates are merged: residual is |f(x)|, which picks among duplicate zeros.
struct Found {
    PointKind kind;
    double x;
    double y;
    double residual;
    bool touching = false; // a zero found as an extremum on the axis
};

// What a grid point or a pair of them asks to be solved; the work goes from left to right by `at`.
struct Candidate {
    enum class Type { ZeroSample, SignChange, DomainEnd, Extremum } type;
    // The grid point (ZeroSample), the step from it (SignChange, DomainEnd), the grid point left of the
    // group (Extremum).
    std::size_t at;
    std::size_t first = 0; // Extremum: the first of the one or two equal grid points
    std::size_t right = 0; // Extremum: the grid point right of the group
    int sense = 0;         // Extremum: +1 maximum, -1 minimum
};

class Analysis {
public:
    Analysis(const CurveFunction& f, const AnalysisRange& range, bool reportExtrema)
        : f_(f), from_(std::min(range.from, range.to)), to_(std::max(range.from, range.to)),
          columns_(std::clamp(range.gridColumns, 1, kMaxGridColumns)), reportExtrema_(reportExtrema),
          budget_(std::max(kEvaluationsPerColumn * (columns_ + 1), kEvaluationsFloor)) {}

    // Runs everything; false when the range is no interval of finite numbers.
    bool run() {
        if (f_.empty() || !std::isfinite(to_ - from_) || !(to_ > from_)) return false;
        sampleGrid();
        refine();
        collectCandidates();
        for (const Candidate& c : candidates_) {
            if (budget_ <= 0 || found_.size() >= kMaxPointsPerCurve + kPointMargin) {
                truncated_ = true;
                break;
            }
            solve(c);
        }
        mergeDuplicates();
        std::erase_if(found_, [this](Found& p) { return !simplify(p); });
        return true;
    }

    std::vector<Found>& found() { return found_; }
    bool truncated() const { return truncated_; }

private:
    std::optional<double> eval(double x) {
        --budget_;
        return f_(x);
    }

    double noiseAt(double x) {
        budget_ -= 2;
        return f_.noise(x);
    }

    // ----- the grid -----

    void sampleGrid() {
        samples_.reserve(static_cast<std::size_t>(columns_) + 1);
        const double span = to_ - from_;
        for (int i = 0; i <= columns_; ++i) {
            const double x = i == columns_ ? to_ : from_ + span * (static_cast<double>(i) / columns_);
            const std::optional<double> y = eval(x);
            samples_.push_back({x, y.value_or(0), y.has_value()});
        }
    }

    // The change over step i (from sample i to i + 1), when both ends have values.
    std::optional<double> change(std::size_t i) const {
        if (i + 1 >= samples_.size() || !samples_[i].defined || !samples_[i + 1].defined) return std::nullopt;
        return samples_[i + 1].y - samples_[i].y;
    }

    bool steep(std::size_t i) const {
        const Sample& a = samples_[i];
        const Sample& b = samples_[i + 1];
        if (a.defined != b.defined) return true;
        if (!a.defined) return false;
        const double d = b.y - a.y;
        const std::optional<double> before = i > 0 ? change(i - 1) : std::nullopt;
        const std::optional<double> after = change(i + 1);
        if (!before && !after) return false;
        const double around = std::max(before ? std::fabs(*before) : 0.0, after ? std::fabs(*after) : 0.0);
        if (std::fabs(d) > kBurst * around) return true;
        // Against the direction of both neighbours: two turns within three steps, or a pole inside.
        return before && after && *before * d < 0 && d * *after < 0;
    }

    void refine() {
        long extra = columns_ + 256; // evaluations the refinement may spend
        double width = (to_ - from_) / columns_;
        for (int level = 0; level < kRefineLevels; ++level) {
            // Only the steps of the last level are cut again.
            std::vector<std::size_t> steps;
            for (std::size_t i = 0; i + 1 < samples_.size() && extra > 0; ++i) {
                const double w = samples_[i + 1].x - samples_[i].x;
                if (w >= 0.5 * width && w <= 2 * width && steep(i)) {
                    steps.push_back(i);
                    extra -= kRefineParts - 1;
                }
            }
            if (steps.empty()) break;
            std::vector<Sample> out;
            out.reserve(samples_.size() + steps.size() * (kRefineParts - 1));
            std::size_t next = 0;
            for (std::size_t i = 0; i < samples_.size(); ++i) {
                out.push_back(samples_[i]);
                if (next == steps.size() || steps[next] != i) continue;
                ++next;
                const double a = samples_[i].x;
                const double b = samples_[i + 1].x;
                for (int k = 1; k < kRefineParts; ++k) {
                    const double x = a + (b - a) * (static_cast<double>(k) / kRefineParts);
                    const std::optional<double> y = eval(x);
                    out.push_back({x, y.value_or(0), y.has_value()});
                }
            }
            samples_ = std::move(out);
            width /= kRefineParts;
        }
        noise_.assign(samples_.size(), std::numeric_limits<double>::quiet_NaN());
    }

    double sampleNoise(std::size_t i) {
        if (std::isnan(noise_[i])) noise_[i] = noiseAt(samples_[i].x);
        return noise_[i];
    }

    // The value at sample i is 0 within its rounding noise.
    bool zeroSample(std::size_t i) {
        const Sample& s = samples_[i];
        return s.defined && (s.y == 0 || std::fabs(s.y) <= kNoiseFactor * sampleNoise(i));
    }

    // A cheap first look: whether sample i may be 0 within its noise, before the noise is computed.
    bool mayBeZero(std::size_t i) const {
        const Sample& s = samples_[i];
        if (!s.defined) return false;
        if (s.y == 0) return true;
        double around = 0;
        if (i > 0 && samples_[i - 1].defined) around = std::max(around, std::fabs(samples_[i - 1].y));
        if (i + 1 < samples_.size() && samples_[i + 1].defined)
            around = std::max(around, std::fabs(samples_[i + 1].y));
        return std::fabs(s.y) <= 1e-4 * around;
    }

    // ----- what to solve -----

    void collectCandidates() {
        const std::size_t n = samples_.size();
        for (std::size_t i = 0; i < n; ++i) {
            if (mayBeZero(i)) candidates_.push_back({Candidate::Type::ZeroSample, i});
            if (i + 1 < n) {
                const Sample& a = samples_[i];
                const Sample& b = samples_[i + 1];
                if (a.defined && b.defined && ((a.y < 0 && b.y > 0) || (a.y > 0 && b.y < 0)))
                    candidates_.push_back({Candidate::Type::SignChange, i});
                else if (a.defined != b.defined)
                    candidates_.push_back({Candidate::Type::DomainEnd, i});
            }
        }
        collectExtrema();
        std::stable_sort(candidates_.begin(), candidates_.end(),
                         [](const Candidate& a, const Candidate& b) { return a.at < b.at; });
    }

    // Grid points (or two equal ones) higher or lower than both neighbours, within a stretch with values.
    void collectExtrema() {
        const std::size_t n = samples_.size();
        std::size_t i = 0;
        while (i < n) {
            if (!samples_[i].defined) {
                ++i;
                continue;
            }
            std::size_t end = i;
            while (end + 1 < n && samples_[end + 1].defined)
                ++end;
            std::vector<std::pair<std::size_t, std::size_t>> groups;
            for (std::size_t k = i; k <= end;) {
                std::size_t m = k;
                while (m + 1 <= end && samples_[m + 1].y == samples_[k].y)
                    ++m;
                groups.emplace_back(k, m);
                k = m + 1;
            }
            for (std::size_t g = 1; g + 1 < groups.size(); ++g) {
                const auto [first, last] = groups[g];
                if (last - first + 1 > 2) continue; // a level stretch has no strict extremum
                const std::size_t left = groups[g - 1].second;
                const std::size_t right = groups[g + 1].first;
                const double y = samples_[first].y;
                const double yl = samples_[left].y;
                const double yr = samples_[right].y;
                const int sense = y > yl && y > yr ? 1 : y < yl && y < yr ? -1 : 0;
                if (sense != 0) candidates_.push_back({Candidate::Type::Extremum, left, first, right, sense});
            }
            i = end + 1;
        }
    }

    void solve(const Candidate& c) {
        switch (c.type) {
        case Candidate::Type::ZeroSample:
            solveZeroSample(c.at);
            break;
        case Candidate::Type::SignChange:
            solveSignChange(c.at);
            break;
        case Candidate::Type::DomainEnd:
            solveDomainEnd(c.at);
            break;
        case Candidate::Type::Extremum:
            solveExtremum(c);
            break;
        }
    }

    // ----- continuity -----

    // Whether f runs continuously into the value target at x from the side dir (-1 left, +1 right): the
    // gaps between target and f at x + dir·d, for d = d0, d0/100, …, shrink towards 0 or vanish in the noise
    // (a jump keeps its gap, a pole widens it). sense +1 also asks f to stay at most target there (a
    // maximum), -1 at least target (a minimum), 0 nothing.
    bool runsInto(double x, double target, int dir, double width, double noise, int sense) {
        const double d0 = std::min(kProbeStart * scaleOf(x), width);
        const double finest = 64 * kEpsilon * std::fabs(x);
        const double senseFloor = kNoiseFactor * (noise + kEpsilon * std::fabs(target));
        std::vector<double> gaps;
        double closest = x;
        double d = d0;
        for (int k = 0; k < kProbeLevels && d > finest; ++k, d *= kProbeRatio) {
            closest = x + dir * d;
            const std::optional<double> v = eval(closest);
            if (!v) {
                // Only the closest probes must have values: a pole or a gap further away is no matter.
                if (k >= kProbeLevels - 3) return false;
                gaps.clear();
                continue;
            }
            if (sense != 0 && sense * (*v - target) > senseFloor) return false;
            gaps.push_back(std::fabs(*v - target));
        }
        if (gaps.size() < 2) return true; // at the resolution of the doubles: nothing more to see
        const double last = gaps.back();
        // The noise where the probes end, not at x: beside a pole the noise at x is as large as the pole.
        const double floor =
            kNoiseFactor * (std::min(noise, noiseAt(closest)) + kEpsilon * std::fabs(target));
        if (last <= floor) return true;
        const double earlier = gaps[gaps.size() >= 3 ? gaps.size() - 3 : 0];
        return last <= 0.5 * earlier;
    }

    // ----- zeros -----

    // A zero where the curve crosses the axis (known to full precision) or touches it (known as far as an
    // extremum is).
    void addZero(double x, double residual, bool touching = false) {
        found_.push_back({PointKind::Zero, x, 0, residual, touching});
    }

    // A root of f between a and b, where fa and fb have opposite signs and are more than noise, kept when
    // f is 0 there or runs into 0 from both sides.
    void solveRoot(double a, double fa, double b, double fb, double width) {
        const double absTol = std::min(1e-20, width * 1e-10);
        const auto root = brentRoot([this](double x) { return eval(x); }, a, fa, b, fb, absTol);
        if (!root) return;
        if (root->fx != 0) {
            const double noise = noiseAt(root->x);
            if (!runsInto(root->x, 0, -1, width, noise, 0) || !runsInto(root->x, 0, 1, width, noise, 0))
                return;
        }
        addZero(root->x, std::fabs(root->fx));
    }

    double stepWidth(std::size_t i) const { return samples_[i + 1].x - samples_[i].x; }

    void solveSignChange(std::size_t i) {
        // A value within noise is a zero sample of its own (or a stretch on the axis), not a sign.
        if (zeroSample(i) || zeroSample(i + 1)) return;
        solveRoot(samples_[i].x, samples_[i].y, samples_[i + 1].x, samples_[i + 1].y, stepWidth(i));
    }

    void solveZeroSample(std::size_t i) {
        if (!zeroSample(i)) return;
        // The run of zero samples this one belongs to; only its first one reports.
        if (i > 0 && zeroSample(i - 1)) return;
        std::size_t end = i;
        while (end + 1 < samples_.size() && zeroSample(end + 1) && end - i < kMaxZeroRun)
            ++end;
        if (end - i + 1 > kMaxZeroRun) return; // lies on the axis
        // Between significant values of opposite signs the root is solved to full precision.
        if (i > 0 && end + 1 < samples_.size() && samples_[i - 1].defined && samples_[end + 1].defined) {
            const Sample& a = samples_[i - 1];
            const Sample& b = samples_[end + 1];
            if ((a.y < 0 && b.y > 0) || (a.y > 0 && b.y < 0)) {
                const std::size_t before = found_.size();
                solveRoot(a.x, a.y, b.x, b.y, b.x - a.x);
                if (found_.size() > before) return;
            }
        }
        std::size_t best = i;
        for (std::size_t k = i; k <= end; ++k)
            if (std::fabs(samples_[k].y) < std::fabs(samples_[best].y)) best = k;
        addZero(samples_[best].x, std::fabs(samples_[best].y), true);
    }

    // Step i goes from a point with a value to one without (or back): where the values end, the curve
    // has a zero when its value there, at the last double with a value, is 0 within its noise (√(4 - x²)
    // at 2). An open end that the values only approach (x·ln x at 0, x³/x at 0) has no value to be 0.
    void solveDomainEnd(std::size_t i) {
        const std::size_t inside = samples_[i].defined ? i : i + 1;
        const std::size_t outside = samples_[i].defined ? i + 1 : i;
        if (zeroSample(inside)) return; // a zero sample of its own
        double in = samples_[inside].x;
        double out = samples_[outside].x;
        double yIn = samples_[inside].y;
        const double absTol = std::min(1e-20, stepWidth(i) * 1e-10);
        // Domains end at 0 more than anywhere else (√x, ln x): 0 is tried first, so that bisection need not
        // walk down through the tiny numbers to it.
        bool tryZero = (in < 0 && out > 0) || (in > 0 && out < 0);
        for (int k = 0; k < 200; ++k) {
            const double middle = tryZero ? 0.0 : 0.5 * (in + out);
            tryZero = false;
            if (middle == in || middle == out || std::fabs(out - in) <= absTol) break;
            if (const std::optional<double> v = eval(middle)) {
                in = middle;
                yIn = *v;
            } else {
                out = middle;
            }
        }
        if (yIn == 0 || std::fabs(yIn) <= kNoiseFactor * noiseAt(in)) addZero(in, std::fabs(yIn));
    }

    // ----- extrema -----

    void solveExtremum(const Candidate& c) {
        const Sample& l = samples_[c.at];
        const Sample& m = samples_[c.first];
        const Sample& r = samples_[c.right];
        // Higher (lower) than its neighbours by more than the rounding noise of all three.
        const double noiseM = sampleNoise(c.first);
        if (std::fabs(m.y - l.y) <= kNoiseFactor * (noiseM + sampleNoise(c.at)) ||
            std::fabs(m.y - r.y) <= kNoiseFactor * (noiseM + sampleNoise(c.right)))
            return;
        const int sense = c.sense;
        const double width = r.x - l.x;
        const auto lowered = [this, sense](double x) -> std::optional<double> {
            const std::optional<double> v = eval(x);
            if (!v) return std::nullopt;
            return -sense * *v;
        };
        const MinimumBracket best =
            brentMinimum(lowered, l.x, r.x, m.x, -sense * m.y, 2 * kEpsilon, 1e-3 * kEpsilon * width);
        // No extremum where the curve has no value: a hole (x³/x at 0) or a domain's end. A hole is a single
        // number, which the search may close in on without trying it; holes lie where a divisor is 0, at
        // the simplest number of the final interval more often than not.
        if (!std::isfinite(best.fx) || best.undefinedWithin) return;
        const double simplest = simplestNear(best.x, std::max(best.x - best.low, best.high - best.x),
                                             [&best](double q) { return q >= best.low && q <= best.high; });
        if (simplest != best.x && !eval(simplest)) return;
        const double x = best.x;
        const double y = -sense * best.fx;
        const double noise = noiseAt(x);
        const double probeWidth = 0.5 * width;
        const bool valid = x > l.x && x < r.x && runsInto(x, y, -1, probeWidth, noise, sense) &&
                           runsInto(x, y, 1, probeWidth, noise, sense);
        if (valid && reportExtrema_)
            found_.push_back({sense > 0 ? PointKind::Maximum : PointKind::Minimum, x, y, 0});
        // Where the sampled values lie on one side of the axis, the extremum may touch it or dip through.
        const bool sameSide = (l.y > 0 && m.y > 0 && r.y > 0) || (l.y < 0 && m.y < 0 && r.y < 0);
        if (!sameSide || zeroSample(c.first)) return;
        const bool towardsAxis = (m.y > 0) == (sense < 0);
        if (!towardsAxis) return;
        const bool noiseZero = std::fabs(y) <= kNoiseFactor * noise;
        const bool crosses = (y > 0) != (m.y > 0) && !noiseZero;
        const double rise = std::min(std::fabs(l.y - y), std::fabs(r.y - y));
        if (valid && (noiseZero || (!crosses && std::fabs(y) <= kTouching * rise))) {
            addZero(x, std::fabs(y), true);
            return;
        }
        if (crosses) {
            solveRoot(l.x, l.y, x, y, x - l.x);
            solveRoot(x, y, r.x, r.y, r.x - x);
        }
    }

    // ----- the numbers reported -----

    // A point is known to a precision: a crossing zero to the last digits, an extremum (and a zero where
    // the curve touches the axis) only as far as the values tell the points around it apart, often 1e-8.
    // Of the numbers within half the stated tolerance that are as good a point (a value as close to 0, a
    // value as high or low within the noise), the one with the fewest decimals is reported: the vertex of
    // x² - 4x + 3 is 2, not 1.99999999867, and the maximum of sin x is 1.5707963, the digits its values
    // hold. A point with no such neighbour keeps its x. False when the point is to go: an extremum whose
    // level top has a hole in it (sin x / x at 0), which is no extremum where the curve has a value.
    bool simplify(Found& p) {
        const double scale = scaleOf(p.x);
        const double noise = noiseAt(p.x);
        if (p.kind == PointKind::Zero) {
            const double cap = 0.5 * (p.touching ? kExtremumTolerance : kZeroTolerance) * scale;
            const double bound = std::max(p.residual, kNoiseFactor * noise);
            p.x = simplestNear(p.x, cap, [&](double q) {
                const std::optional<double> v = eval(q);
                return v && std::fabs(*v) <= bound;
            });
            return true;
        }
        // The value reported is the extreme value found, or the one at the simpler x if that is beyond it
        // (within the noise).
        const int sense = p.kind == PointKind::Maximum ? 1 : -1;
        const auto asExtreme = [&](std::optional<double> v) {
            return v && sense * (p.y - *v) <= kNoiseFactor * noise;
        };
        const double found = p.x;
        double extreme = p.y;
        bool hole = false;
        p.x = simplestNear(p.x, 0.5 * kExtremumTolerance * scale, [&](double q) {
            const std::optional<double> v = eval(q);
            if (!v) {
                const double h = std::fabs(q - found);
                hole = asExtreme(eval(q - h)) && asExtreme(eval(q + h));
                return hole;
            }
            if (!asExtreme(v)) return false;
            extreme = sense > 0 ? std::max(p.y, *v) : std::min(p.y, *v);
            return true;
        });
        p.y = std::fabs(extreme) <= kNoiseFactor * noise ? 0 : extreme;
        return !hole;
    }

    // ----- duplicates -----

    bool zeroBetween(double a, double b) {
        const double middle = 0.5 * (a + b);
        const std::optional<double> v = eval(middle);
        return v && std::fabs(*v) <= kNoiseFactor * noiseAt(middle);
    }

    void mergeDuplicates() {
        std::stable_sort(found_.begin(), found_.end(), [](const Found& a, const Found& b) {
            return a.kind != b.kind ? a.kind < b.kind : a.x < b.x;
        });
        std::vector<Found> kept;
        for (const Found& p : found_) {
            if (!kept.empty() && kept.back().kind == p.kind) {
                Found& q = kept.back();
                const double gap = p.x - q.x;
                const double scale = scaleOf(p.x);
                bool same = false;
                if (p.kind == PointKind::Zero)
                    same = gap == 0 || (gap <= kSameZero * scale && zeroBetween(q.x, p.x));
                else
                    same = gap <= kSameExtremum * scale;
                if (same) {
                    const bool better = p.kind == PointKind::Zero      ? p.residual < q.residual
                                        : p.kind == PointKind::Maximum ? p.y > q.y
                                                                       : p.y < q.y;
                    if (better) q = p;
                    continue;
                }
            }
            kept.push_back(p);
        }
        found_ = std::move(kept);
    }

    const CurveFunction& f_;
    double from_;
    double to_;
    int columns_;
    bool reportExtrema_;
    long budget_;
    bool truncated_ = false;
    std::vector<Sample> samples_;
    std::vector<double> noise_; // per sample, NaN until asked for
    std::vector<Candidate> candidates_;
    std::vector<Found> found_;
};

template <typename Point> void sortAndBound(std::vector<Point>& points, bool& truncated, auto less) {
    std::sort(points.begin(), points.end(), less);
    if (points.size() > static_cast<std::size_t>(kMaxPointsPerCurve)) {
        points.resize(static_cast<std::size_t>(kMaxPointsPerCurve));
        truncated = true;
    }
}

} // namespace

std::string_view pointKindName(PointKind kind) {
    switch (kind) {
    case PointKind::Zero:
        return "zero";
    case PointKind::Minimum:
        return "minimum";
    case PointKind::Maximum:
        return "maximum";
    case PointKind::YIntercept:
        return "y-intercept";
    }
    return "";
}

AnalysisRange rangeOfView(const document::ViewSettings& view, int sheetWidth) {
    const int columns = std::max(sheetWidth, 1);
    return {view.mathX(0), view.mathX(columns), columns};
}

PointsOfInterest pointsOfInterest(const CurveFunction& f, const AnalysisRange& range) {
    PointsOfInterest result;
    Analysis analysis(f, range, true);
    if (!analysis.run()) return result;
    for (const Found& p : analysis.found())
        result.points.push_back({p.kind, p.x, p.y});
    if (std::min(range.from, range.to) <= 0 && std::max(range.from, range.to) >= 0)
        if (const std::optional<double> y = f.shownValue(0))
            result.points.push_back({PointKind::YIntercept, 0, *y});
    result.truncated = analysis.truncated();
    sortAndBound(result.points, result.truncated, [](const PointOfInterest& a, const PointOfInterest& b) {
        return a.x != b.x ? a.x < b.x : a.kind < b.kind;
    });
    return result;
}

Intersections intersections(const CurveFunction& f, const CurveFunction& g, const AnalysisRange& range) {
    Intersections result;
    if (f.empty() || g.empty()) return result;
    const CurveFunction difference(
        [&f, &g](double x) -> std::optional<double> {
            const std::optional<double> a = f(x);
            if (!a) return std::nullopt;
            const std::optional<double> b = g(x);
            if (!b || !std::isfinite(*a - *b)) return std::nullopt;
            return *a - *b;
        },
        [&f, &g](double x) { return f.noise(x) + g.noise(x); });
    Analysis analysis(difference, range, false);
    if (!analysis.run()) return result;
    for (const Found& p : analysis.found())
        if (const std::optional<double> y = f.shownValue(p.x)) result.points.push_back({p.x, *y});
    result.truncated = analysis.truncated();
    sortAndBound(result.points, result.truncated,
                 [](const CurvePoint& a, const CurvePoint& b) { return a.x < b.x; });
    return result;
}

std::optional<double> valueAt(const CurveFunction& f, double x) {
    return f.shownValue(x);
}

std::vector<TableRow> tableOfValues(const CurveFunction& f, double start, double step, int rows) {
    std::vector<TableRow> table;
    const int count = std::clamp(rows, 0, kMaxTableRows);
    table.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        const double offset = k * step;
        double x = start + offset;
        // 0.3 - 3·0.1 is 0, not -5.55E-17.
        if (std::fabs(x) <= kNoiseFactor * kEpsilon * (std::fabs(start) + std::fabs(offset))) x = 0;
        table.push_back({x, std::isfinite(x) ? valueAt(f, x) : std::nullopt});
    }
    return table;
}

} // namespace quorvel::graph
