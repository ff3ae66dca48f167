#pragma once

#include <array>
#include <string>

namespace quorvel::document {

class Document;

constexpr int kHistorySlots = 1024;

// The undo history: a ring of 1024 document texts. States live in the slots after historyStart up to
// the slot before historyEnd (at most 1022); the oldest is dropped when a new state needs its place.
// All index arithmetic is modulo 1024. Undo and redo never record; they hand back the text to rebuild
// the document from (Document::open).
class HistoryRing {
public:
    // Empties the ring: all indices 0 (start, new and open). The next record goes to slot 1.
    void reset();

    // record_history: stores the text as the state after the current one. States that could have been
    // redone are discarded.
    void record(std::string text);

    bool canUndo() const; // a state before the current one is held
    bool canRedo() const; // a state after the current one is held

    // Steps back or forward and returns the text of the state now current, or nullptr (nothing
    // changes) when the step is not possible.
    const std::string* undo();
    const std::string* redo();

    // The document differs from the clean state: the first state recorded after start, new or open, or
    // the state marked by a save. Once the clean state has been dropped or discarded, no held state
    // equals it any more and the document stays changed. A change that was not recorded counts too.
    bool changed() const;
    // The current state is what the file on disk holds (after a successful save).
    void markClean();
    // The document was changed without a record (an arrow-key nudge); the next record, undo or redo
    // brings it back in line with a held state.
    void noteUnrecordedChange() { unrecorded_ = true; }

    const std::string& current() const { return slots_[static_cast<std::size_t>(cur_)]; }
    int states() const; // number of states held
    int historyCur() const { return cur_; }
    int historyStart() const { return start_; }
    int historyEnd() const { return end_; }

private:
    std::array<std::string, kHistorySlots> slots_;
    int cur_ = 0;
    int end_ = 0;
    int start_ = 0;
    // Each record gets a new id, so a discarded clean state can never be matched again.
    std::array<unsigned long long, kHistorySlots> ids_{};
    unsigned long long nextId_ = 1;
    unsigned long long cleanId_ = 1;
    bool unrecorded_ = false;
};

// Records the current state of doc as a history entry.
void record_history(const Document& doc, HistoryRing& history);

} // namespace quorvel::document
