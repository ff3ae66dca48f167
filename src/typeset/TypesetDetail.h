#pragma once

// Helpers shared by the layout and drawing sources of the typesetter; not part of its interface.

#include "expr/ExprNode.h"
#include "typeset/Canvas.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace quorvel::typeset::detail {

// Node sizes stay within this many pixels, so sums over long lists and repeated matrix cells never
// overflow, whatever tree a file holds.
constexpr long long kMaxExtent = 1 << 24;

// Where drawing may start: far beyond any picture, yet a start plus any node's offsets fits an int.
constexpr int kMaxPenStart = 1 << 28;

inline int clampExtent(long long v) {
    return static_cast<int>(std::clamp(v, -kMaxExtent, kMaxExtent));
}

// A canvas metric as the layout takes it: its absolute value (in long long, so INT_MIN has one), at most
// kMaxExtent.
inline int clampMetric(int v) {
    return static_cast<int>(std::min(std::llabs(static_cast<long long>(v)), kMaxExtent));
}

// TW and TH of the layout rules: canvas metrics taken as absolute values, clamped.
inline int tw(Canvas& canvas, std::string_view text) {
    return clampMetric(canvas.textWidth(text));
}
inline int th(Canvas& canvas, std::string_view text) {
    return clampMetric(canvas.textHeight(text));
}

inline int measuredWidth(const expr::ExprNode* node) {
    return node ? node->width : 0;
}
inline int measuredHeight(const expr::ExprNode* node) {
    return node ? node->height : 0;
}
inline bool isCompound(const expr::ExprNode* node) {
    return node && node->first;
}

// The node whose first, second or third child this node is; for a later item of a list (whose parent
// link names the item before it) the node that holds the list. Null at the root or for a broken link.
inline const expr::ExprNode* ownerOf(const expr::ExprNode* node) {
    const expr::ExprNode* current = node;
    for (const expr::ExprNode* p = current->parent; p; current = p, p = p->parent) {
        if (p->first.get() == current || p->second.get() == current || p->third.get() == current) return p;
        if (p->next.get() != current) return nullptr;
    }
    return nullptr;
}

inline bool ownerIs(const expr::ExprNode* node, expr::Keyword kind) {
    const expr::ExprNode* owner = node ? ownerOf(node) : nullptr;
    return owner && owner->kind == kind;
}

} // namespace quorvel::typeset::detail
