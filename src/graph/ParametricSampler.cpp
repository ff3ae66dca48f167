#include "graph/ParametricSampler.h"

#include "graph/SegmentClip.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace quorvel::graph {

using document::ViewSettings;

namespace {

// Steps of the first even grid: fine enough to see every turn of an ordinary curve over a few periods.
constexpr int kGridSteps = 512;
// Neighbouring points joined by a line lie at most this far apart (pixels).
constexpr double kMaxStep = 2;
// A turn sharper than this angle (radians) between neighbouring lines is refined down to lines this short.
constexpr double kSharpTurn = 0.5;
constexpr double kMinTurnStep = 0.5;
// The search for the end of a defined part stops once a step moves the end by less than this (pixels).
constexpr double kEdgeSettle = 0.1;
// A parameter step below this share of the range is not halved further: a gap still longer than kMaxStep
// there is a jump, not a steep stretch.
constexpr double kFinestShare = 1e-12;
// Strokes reach this far beyond the sheet (pixels), so a wide pen's end is never seen.
constexpr double kMargin = 8;
// Sheet coordinates are kept within this range: far enough to be off every sheet, near enough that the
// arithmetic on them cannot overflow.
constexpr double kFar = 1e9;
// When the budget runs out, a gap left longer than this (pixels) is taken for a jump rather than drawn.
constexpr double kUnrefinedJoin = 100;
// A curve whose end lies this close to its start (pixels) is closed.
constexpr double kSeamTolerance = 1e-6;

constexpr int kNone = -1;

struct Sample {
    double t = 0;
    double x = 0; // sheet pixels, within ±kFar
    double y = 0;
    bool defined = false;
    bool breakAfter = false; // a jump lies between this sample and the next
    int prev = kNone;
    int next = kNone;
};

// Squared distances: coordinates within ±kFar cannot overflow, and no root is taken where a comparison does.
double squaredGap(const Sample& a, const Sample& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    return dx * dx + dy * dy;
}

double squared(double v) {
    return v * v;
}

bool inside(const Sample& s, const ClipBox& box) {
    return s.x >= box.left && s.x <= box.right && s.y >= box.top && s.y <= box.bottom;
}

// How far the bounding box of a and b lies from box (0 when they overlap), squared.
double squaredBoundsGap(const Sample& a, const Sample& b, const ClipBox& box) {
    const double dx = std::max({box.left - std::max(a.x, b.x), std::min(a.x, b.x) - box.right, 0.0});
    const double dy = std::max({box.top - std::max(a.y, b.y), std::min(a.y, b.y) - box.bottom, 0.0});
    return dx * dx + dy * dy;
}

// A piece of curve strays from its chord by less than the chord's length unless it is wilder than the
// samples show, so a chord farther than that from the sheet cannot bring the curve onto it.
bool mayReachSheet(const Sample& a, const Sample& b, const ClipBox& box) {
    return squaredBoundsGap(a, b, box) <= squaredGap(a, b);
}

// The adaptive refinement: samples in a linked list in parameter order, the intervals still to look at in
// a queue. Looked at first in, first out, the work spreads evenly over the curve, so a budget that runs
// out leaves it uniformly coarse rather than one part missing.
class Refinement {
public:
    Refinement(const PlaneCurve& curve, const ViewSettings& view, const ClipBox& box, double span, int budget)
        : curve_(curve), view_(view), box_(box), finest_(std::abs(span) * kFinestShare), budget_(budget) {}

    void sampleGrid(double tStart, double tEnd, int steps) {
        const double span = tEnd - tStart;
        // Ordinary curves need a few times the grid; growing beyond that is rare.
        samples_.reserve(static_cast<std::size_t>(steps) * 8);
        queue_.reserve(static_cast<std::size_t>(steps) * 8);
        for (int i = 0; i <= steps; ++i) {
            // The last sample is exactly the end, so a closed curve meets its start.
            const double t = i == steps ? tEnd : tStart + span * i / steps;
            last_ = add(evaluate(t));
            if (i == 0) continue;
            link(last_ - 1, last_);
            queue_.push_back(last_ - 1);
        }
    }

    void refine() {
        for (std::size_t head = 0; head < queue_.size(); ++head) {
            const int a = queue_[head];
            if (!needsSplit(a)) continue;
            if (budget_ <= 0) {
                exhausted_ = true;
                breakIfFar(a);
                continue;
            }
            split(a);
        }
    }

    bool exhausted() const { return exhausted_; }
    const std::vector<Sample>& samples() const { return samples_; }
    // The sample at the end of the range (samples().front() is the one at its start).
    int last() const { return last_; }

private:
    Sample evaluate(double t) {
        --budget_;
        Sample s;
        s.t = t;
        const auto point = curve_(t);
        if (!point || !std::isfinite(point->first) || !std::isfinite(point->second)) return s;
        // A finite value may still overflow on the way to pixels; clamped, it stays far off the sheet.
        s.x = std::clamp(view_.sheetX(point->first), -kFar, kFar);
        s.y = std::clamp(view_.sheetY(point->second), -kFar, kFar);
        s.defined = true;
        return s;
    }

    int add(const Sample& s) {
        samples_.push_back(s);
        return static_cast<int>(samples_.size()) - 1;
    }

    void link(int a, int b) {
        samples_[static_cast<std::size_t>(a)].next = b;
        samples_[static_cast<std::size_t>(b)].prev = a;
    }

    const Sample& at(int i) const { return samples_[static_cast<std::size_t>(i)]; }

    bool atFinestStep(const Sample& a, const Sample& b) const {
        const double mid = a.t + (b.t - a.t) / 2;
        return std::abs(b.t - a.t) <= finest_ || mid == a.t || mid == b.t;
    }

    // Whether the turn at b, from the line a-b to the line b-c, is sharp (a, b, c defined and joined).
    static bool sharpTurn(const Sample& a, const Sample& b, const Sample& c) {
        const double ux = b.x - a.x, uy = b.y - a.y, vx = c.x - b.x, vy = c.y - b.y;
        const double lengths = std::sqrt((ux * ux + uy * uy) * (vx * vx + vy * vy));
        return lengths > 0 && ux * vx + uy * vy < std::cos(kSharpTurn) * lengths;
    }

    bool joinedBefore(int i) const {
        const int p = at(i).prev;
        return p != kNone && at(p).defined && !at(p).breakAfter;
    }
    bool joinedAfter(int i) const {
        const int n = at(i).next;
        return n != kNone && at(n).defined && !at(i).breakAfter;
    }

    // Whether the interval from a to the next sample is to be halved; marks a jump found at the finest step.
    bool needsSplit(int a) {
        Sample& first = samples_[static_cast<std::size_t>(a)];
        const Sample& second = at(first.next);
        if (!first.defined && !second.defined) return false;
        if (atFinestStep(first, second)) {
            if (first.defined && second.defined && mayReachSheet(first, second, box_) &&
                squaredGap(first, second) > squared(kMaxStep))
                first.breakAfter = true;
            return false;
        }
        // An end of the defined part: sought until a step settles it (see split).
        if (!first.defined || !second.defined) return true;
        if (!mayReachSheet(first, second, box_)) return false;
        const double gap = squaredGap(first, second);
        if (gap > squared(kMaxStep)) return true;
        if (gap < squared(kMinTurnStep)) return false;
        return (joinedBefore(a) && sharpTurn(at(first.prev), first, second)) ||
               (joinedAfter(first.next) && sharpTurn(first, second, at(second.next)));
    }

    // No budget left to halve the interval: a long gap is more likely a jump than a line worth drawing.
    void breakIfFar(int a) {
        Sample& first = samples_[static_cast<std::size_t>(a)];
        const Sample& second = at(first.next);
        if (first.defined && second.defined && squaredGap(first, second) > squared(kUnrefinedJoin))
            first.breakAfter = true;
    }

    // The end of a defined part is close enough once halving moves it by less than kEdgeSettle, or once it
    // runs off the sheet faster than it could come back.
    bool edgeSettled(const Sample& from, const Sample& to) const {
        const double step = squaredGap(from, to);
        return step < squared(kEdgeSettle) || squaredBoundsGap(to, to, box_) > step;
    }

    void split(int a) {
        const int b = at(a).next;
        const Sample mid = evaluate(at(a).t + (at(b).t - at(a).t) / 2);
        const int m = add(mid);
        link(a, m);
        link(m, b);
        // Towards an end of the defined part, the half between the new sample and the undefined end is
        // searched on only while the end is not yet settled.
        const bool searching = at(a).defined != at(b).defined && mid.defined;
        if (!(searching && at(b).defined && edgeSettled(at(b), mid))) queue_.push_back(a);
        if (!(searching && at(a).defined && edgeSettled(at(a), mid))) queue_.push_back(m);
    }

    const PlaneCurve& curve_;
    const ViewSettings& view_;
    ClipBox box_;
    double finest_;
    int budget_;
    bool exhausted_ = false;
    int last_ = 0;
    std::vector<Sample> samples_;
    std::vector<int> queue_; // first samples of the intervals still to look at
};

// The joined pieces of the sampled curve, clipped to box. A sample inside the box is kept exactly, so a
// stroke runs on through it and a closed curve's ends meet.
std::vector<SheetPath> strokesOf(const std::vector<Sample>& samples, const ClipBox& box) {
    std::vector<SheetPath> paths;
    SheetPath current;
    const auto finish = [&] {
        if (current.size() >= 2) paths.push_back(std::move(current));
        current.clear();
    };
    for (std::size_t i = 0; samples[i].next != kNone; i = static_cast<std::size_t>(samples[i].next)) {
        const Sample& a = samples[i];
        const Sample& b = samples[static_cast<std::size_t>(a.next)];
        double x1 = a.x, y1 = a.y, x2 = b.x, y2 = b.y;
        const bool aInside = inside(a, box);
        const bool bInside = inside(b, box);
        if (!a.defined || !b.defined || a.breakAfter ||
            (!(aInside && bInside) && !clipSegment(x1, y1, x2, y2, box))) {
            finish();
            continue;
        }
        const typeset::PointF start = aInside ? typeset::PointF{a.x, a.y} : typeset::PointF{x1, y1};
        const typeset::PointF end = bInside ? typeset::PointF{b.x, b.y} : typeset::PointF{x2, y2};
        if (current.empty() || current.back() != start) {
            finish();
            current.push_back(start);
        }
        if (end != current.back()) current.push_back(end);
    }
    finish();
    return paths;
}

// A curve that ends where it started is one closed stroke: the end is put exactly on the start, and a
// stroke through the start is joined to the one that ends there.
void closeSeam(std::vector<SheetPath>& paths, const Sample& start, const Sample& end) {
    if (paths.empty() || !start.defined || !end.defined || squaredGap(start, end) > squared(kSeamTolerance))
        return;
    SheetPath& first = paths.front();
    SheetPath& last = paths.back();
    if (first.front() != typeset::PointF{start.x, start.y} || last.back() != typeset::PointF{end.x, end.y})
        return;
    last.back() = first.front();
    if (paths.size() == 1) return;
    last.insert(last.end(), first.begin() + 1, first.end());
    first = std::move(last);
    paths.pop_back();
}

bool usable(const ViewSettings& view) {
    return std::isfinite(view.originX) && std::isfinite(view.originY) && std::isfinite(view.unitX) &&
           std::isfinite(view.unitY) && view.unitX > 0 && view.unitY > 0;
}

} // namespace

SampledCurve sampleParametric(const PlaneCurve& curve, double tStart, double tEnd, const ViewSettings& view,
                              int width, int height, SampleBudget budget) {
    SampledCurve result;
    const double span = tEnd - tStart;
    if (!curve || !std::isfinite(span) || span == 0 || width <= 0 || height <= 0 || !usable(view))
        return result;
    if (budget.maxPoints < 2) {
        result.budgetExhausted = true;
        return result;
    }
    const ClipBox box{-kMargin, -kMargin, width + kMargin, height + kMargin};
    Refinement refinement(curve, view, box, span, budget.maxPoints);
    refinement.sampleGrid(tStart, tEnd, std::min(kGridSteps, budget.maxPoints - 1));
    refinement.refine();
    result.budgetExhausted = refinement.exhausted();
    const std::vector<Sample>& samples = refinement.samples();
    result.paths = strokesOf(samples, box);
    closeSeam(result.paths, samples.front(), samples[static_cast<std::size_t>(refinement.last())]);
    return result;
}

PlaneCurve polarCurve(std::function<std::optional<double>(double theta)> r) {
    return [r = std::move(r)](double theta) -> std::optional<std::pair<double, double>> {
        const std::optional<double> radius = r ? r(theta) : std::nullopt;
        if (!radius || !std::isfinite(*radius)) return std::nullopt;
        return std::pair{*radius * std::cos(theta), *radius * std::sin(theta)};
    };
}

} // namespace quorvel::graph
