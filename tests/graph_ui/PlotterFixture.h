#pragma once

// A curve plotter over a 640 x 480 sheet; the changes its commands return and its drawing in the middle
// of a command are only counted.
#include "graph/ui/CurvePlotter.h"
#include "typeset/qt/QtTextCache.h"

#include <gtest/gtest.h>

#include <memory>

namespace quorvel::graph::testing {

class PlotterFixture : public ::testing::Test {
protected:
    RecordingSink sink;
    expr::Engine engine{sink};
    document::Document doc;
    int history = 0;
    int redraws = 0;
    CurvePlotter plotter{engine, sink,
                         PlotterSheet{doc, [] { return QSize(640, 480); }, [this] { ++redraws; },
                                      std::make_shared<typeset::QtTextCache>()}};

    // Counts what a command changed, as the window would apply it.
    SheetChange run(SheetChange change) {
        history += change.record ? 1 : 0;
        redraws += change.redraw ? 1 : 0;
        return change;
    }

    PlotterFixture() { doc.view = document::ViewSettings::forSheet(640, 480); }
};

} // namespace quorvel::graph::testing
