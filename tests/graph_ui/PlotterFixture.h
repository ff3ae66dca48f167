#pragma once

// A curve plotter over a 640 x 480 sheet whose history and redraw hooks only count their calls.
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
                         PlotterSheet{doc, [] { return 640; }, [this] { ++history; }, [this] { ++redraws; },
                                      std::make_shared<typeset::QtTextCache>()}};

    PlotterFixture() { doc.view = document::ViewSettings::forSheet(640, 480); }
};

} // namespace quorvel::graph::testing
