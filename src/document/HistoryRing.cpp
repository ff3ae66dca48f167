#include "document/HistoryRing.h"

#include "document/DocumentText.h"

namespace quorvel::document {

namespace {
int wrap(int index) {
    return ((index % kHistorySlots) + kHistorySlots) % kHistorySlots;
}
} // namespace

void HistoryRing::reset() {
    for (auto& text : slots_)
        std::string().swap(text);
    cur_ = end_ = start_ = 0;
    ids_.fill(0);
    cleanId_ = nextId_; // the first state recorded from here on is the clean one
    unrecorded_ = false;
}

void HistoryRing::record(std::string text) {
    cur_ = wrap(cur_ + 1);
    slots_[static_cast<std::size_t>(cur_)] = std::move(text);
    ids_[static_cast<std::size_t>(cur_)] = nextId_++;
    unrecorded_ = false;
    end_ = wrap(cur_ + 1);
    if (end_ == start_) {
        start_ = wrap(start_ + 1);
        std::string().swap(slots_[static_cast<std::size_t>(start_)]); // the oldest state is gone
        ids_[static_cast<std::size_t>(start_)] = 0;
    }
}

void HistoryRing::markClean() {
    if (states() > 0) cleanId_ = ids_[static_cast<std::size_t>(cur_)];
    unrecorded_ = false;
}

bool HistoryRing::canUndo() const {
    return wrap(cur_ - start_) > 1;
}
bool HistoryRing::canRedo() const {
    return wrap(end_ - cur_) > 1;
}

const std::string* HistoryRing::undo() {
    if (!canUndo()) return nullptr;
    cur_ = wrap(cur_ - 1);
    unrecorded_ = false;
    return &slots_[static_cast<std::size_t>(cur_)];
}

const std::string* HistoryRing::redo() {
    if (!canRedo()) return nullptr;
    cur_ = wrap(cur_ + 1);
    unrecorded_ = false;
    return &slots_[static_cast<std::size_t>(cur_)];
}

bool HistoryRing::changed() const {
    return unrecorded_ || (states() > 0 && ids_[static_cast<std::size_t>(cur_)] != cleanId_);
}

int HistoryRing::states() const {
    return end_ == start_ ? 0 : wrap(end_ - start_ - 1);
}

void record_history(const Document& doc, HistoryRing& history) {
    history.record(writeDocumentText(doc));
}

} // namespace quorvel::document
