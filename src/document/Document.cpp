#include "document/Document.h"

#include "document/DocumentText.h"
#include "document/FieldReader.h"

#include <algorithm>
#include <stdexcept>

namespace quorvel::document {

namespace {

template <typename T> T& checkedSlot(const std::vector<std::unique_ptr<T>>& list, int slot) {
    if (slot < 0 || static_cast<std::size_t>(slot) >= list.size())
        throw std::out_of_range("document slot " + std::to_string(slot));
    return *list[static_cast<std::size_t>(slot)];
}

// The clipboard and pasted copies carry no samples: they are recomputed for the new place.
std::unique_ptr<DEFINEFUN> withoutSamples(const DEFINEFUN& item) {
    auto copy = std::make_unique<DEFINEFUN>(item);
    copy->defined.clear();
    copy->xs.clear();
    copy->ys.clear();
    return copy;
}

} // namespace

DEFINEFUN& Document::curve(int slot) {
    return checkedSlot(curves_, slot);
}
const DEFINEFUN& Document::curve(int slot) const {
    return checkedSlot(curves_, slot);
}
REMARK& Document::remark(int slot) {
    return checkedSlot(remarks_, slot);
}
const REMARK& Document::remark(int slot) const {
    return checkedSlot(remarks_, slot);
}

DEFINEFUN* Document::addCurve(DEFINEFUN item) {
    if (curvesFull()) return nullptr;
    curves_.push_back(std::make_unique<DEFINEFUN>(std::move(item)));
    return curves_.back().get();
}

REMARK* Document::addRemark(REMARK remark) {
    if (remarksFull()) return nullptr;
    remarks_.push_back(std::make_unique<REMARK>(std::move(remark)));
    return remarks_.back().get();
}

ObjectRef Document::resolve(int combined) const {
    if (combined < 0) return {};
    if (combined < curveCount()) return {ObjectRef::Curve, combined};
    if (combined - curveCount() < remarkCount()) return {ObjectRef::Remark, combined - curveCount()};
    return {};
}

DEFINEFUN* Document::beginNewCurve() {
    newCurve_.reset();
    if (curvesFull()) return nullptr;
    newCurve_ = std::make_unique<DEFINEFUN>();
    placeNewItem(*newCurve_);
    currentCurve = curveCount();
    return newCurve_.get();
}

int Document::commitNewCurve() {
    if (!newCurve_ || curvesFull()) return -1;
    curves_.push_back(std::move(newCurve_));
    return curveCount() - 1;
}

DEFINEFUN* Document::currentRecord() {
    if (currentCurve == curveCount()) return newCurve_.get();
    if (currentCurve >= 0 && currentCurve < curveCount())
        return curves_[static_cast<std::size_t>(currentCurve)].get();
    return nullptr;
}

REMARK* Document::beginNewRemark() {
    newRemark_.reset();
    if (remarksFull()) return nullptr;
    newRemark_ = std::make_unique<REMARK>();
    return newRemark_.get();
}

int Document::commitNewRemark() {
    if (!newRemark_ || remarksFull()) return -1;
    remarks_.push_back(std::move(newRemark_));
    return remarkCount() - 1;
}

void Document::placeNewItem(DEFINEFUN& item) const {
    item.labelTop = 0;
    item.labelLeft = curves_.empty() ? 0 : curves_.back()->labelLeft;
    for (const auto& c : curves_)
        item.labelTop = std::max(item.labelTop, c->labelBottom);
}

void Document::removeCurve(int slot) {
    if (slot >= 0 && slot < curveCount()) curves_.erase(curves_.begin() + slot);
}

void Document::removeRemark(int slot) {
    if (slot >= 0 && slot < remarkCount()) remarks_.erase(remarks_.begin() + slot);
}

void Document::removeSelected() {
    std::vector<int> entries = selection.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int v = entries[i];
        const ObjectRef target = resolve(v);
        if (target.type == ObjectRef::None) continue;
        if (target.type == ObjectRef::Curve)
            removeCurve(target.slot);
        else
            removeRemark(target.slot);
        // Later entries keep naming the same objects; an entry naming the removed one is spent.
        for (std::size_t j = i + 1; j < entries.size(); ++j) {
            if (entries[j] > v)
                --entries[j];
            else if (entries[j] == v)
                entries[j] = -1;
        }
    }
    selection.clear();
}

void Document::Del_zhushi() {
    remarks_.clear();
    curves_.clear();
    newCurve_.reset();
    newRemark_.reset();
    clipCurve_.reset();
    clipRemark_.reset();
    clipKind_ = ClipNone;
}

void Document::clearObjects() {
    remarks_.clear();
    curves_.clear();
    newCurve_.reset();
    newRemark_.reset();
}

void Document::moveSelected(int dx, int dy) {
    for (int combined : selection.entries()) {
        const ObjectRef target = resolve(combined);
        if (target.type == ObjectRef::Curve) {
            DEFINEFUN& c = curve(target.slot);
            c.labelLeft = clampedAdd(c.labelLeft, dx);
            c.labelRight = clampedAdd(c.labelRight, dx);
            c.labelTop = clampedAdd(c.labelTop, dy);
            c.labelBottom = clampedAdd(c.labelBottom, dy);
        } else if (target.type == ObjectRef::Remark) {
            REMARK& r = remark(target.slot);
            r.left = clampedAdd(r.left, dx);
            r.right = clampedAdd(r.right, dx);
            r.top = clampedAdd(r.top, dy);
            r.bottom = clampedAdd(r.bottom, dy);
        }
    }
}

void Document::copyCurveToClipboard(int slot) {
    if (slot < 0 || slot >= curveCount()) return;
    clipCurve_ = withoutSamples(curve(slot));
    clipKind_ = ClipCurve;
}

void Document::copyRemarkToClipboard(int slot) {
    if (slot < 0 || slot >= remarkCount()) return;
    clipRemark_ = std::make_unique<REMARK>(remark(slot));
    clipKind_ = ClipRemark;
}

int Document::pasteAt(double mouseX, double mouseY, const ResampleHook& resample) {
    const int left = truncToInt(mouseX);
    const int top = truncToInt(mouseY);
    if (clipKind_ == ClipCurve && clipCurve_ && !curvesFull()) {
        auto item = withoutSamples(*clipCurve_);
        item->labelLeft = left;
        item->labelTop = top;
        item->labelRight =
            clampedAdd(left, static_cast<long long>(clipCurve_->labelRight) - clipCurve_->labelLeft);
        item->labelBottom =
            clampedAdd(top, static_cast<long long>(clipCurve_->labelBottom) - clipCurve_->labelTop);
        if (resample) resample(*item);
        curves_.push_back(std::move(item));
        return combinedOfCurve(curveCount() - 1);
    }
    if (clipKind_ == ClipRemark && clipRemark_ && !remarksFull()) {
        auto r = std::make_unique<REMARK>(*clipRemark_);
        r->left = left;
        r->top = top;
        r->right = clampedAdd(left, static_cast<long long>(clipRemark_->right) - clipRemark_->left);
        r->bottom = clampedAdd(top, static_cast<long long>(clipRemark_->bottom) - clipRemark_->top);
        remarks_.push_back(std::move(r));
        return combinedOfRemark(remarkCount() - 1);
    }
    return -1;
}

void Document::resetForNew(double sheetWidth, double sheetHeight) {
    view = ViewSettings::forSheet(sheetWidth, sheetHeight);
    Del_zhushi();
    selection.clear();
    currentCurve = 0;
}

void Document::resetForOpen(double sheetWidth, double sheetHeight) {
    const int axesShown = view.axesShown;
    const int gridShown = view.gridShown;
    resetForNew(sheetWidth, sheetHeight);
    view.axesShown = axesShown;
    view.gridShown = gridShown;
}

ReadResult Document::open(std::string_view text, const ResampleHook& resample) {
    ReadResult result = readDocumentText(text, *this, resample);
    selection.dropInvalid(objectCount());
    return result;
}

} // namespace quorvel::document
