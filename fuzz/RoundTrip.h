#pragma once

// The round trip that documents promise: whatever a reader built from any input, as long as it holds no
// value the text form cannot carry (saving refuses those), writes a form that reads back to the same form.

#include "FuzzSupport.h"
#include "base/MessageSink.h"
#include "document/Document.h"
#include "document/TextFormRules.h"
#include "expr/Engine.h"
#include "graph/CurveSampler.h"

#include <string>

namespace quorvel::fuzz {

// Narrow, so that a file of many curves samples quickly; the width does not reach the written form.
inline constexpr int kSheetWidth = 24;

// read(bytes, doc, hook) fills doc; write(doc) gives the bytes. The curves read are sampled by the
// engine exactly as when the program opens a file.
template <typename Read, typename Write> void checkRoundTrip(std::string_view bytes, Read read, Write write) {
    RecordingSink sink;
    expr::Engine engine(sink);
    document::Document doc;
    doc.resetForOpen(kSheetWidth, kSheetWidth);
    int sampled = 0;
    const auto resample = graph::resampleHook(engine, doc.view, kSheetWidth);
    const document::ReadResult first = read(bytes, doc, [&](document::DEFINEFUN& item) {
        ++sampled;
        resample(item);
    });
    if (sampled != doc.curveCount()) fail("every graph item read is sampled once", bytes, first.detail);
    if (doc.remarkCount() > document::kMaxObjects || doc.curveCount() > document::kMaxObjects)
        fail("at most 999 objects of each kind", bytes, first.detail);
    if (document::documentProblem(doc)) return;

    const std::string written = write(doc);
    document::Document again;
    const document::ReadResult second =
        read(written, again, graph::resampleHook(engine, again.view, kSheetWidth));
    if (!second.ok) fail("a written document reads back", written, second.detail);
    const std::string rewritten = write(again);
    if (rewritten != written) fail("a written document reads back to the same form", written, rewritten);
}

} // namespace quorvel::fuzz
