#include "base/MessageSink.h"

#include <gtest/gtest.h>

using namespace quorvel;

TEST(MessageSink, RecordingSinkAnswersFromQueueThenCancels) {
    RecordingSink sink;
    sink.answers = {Answer::Yes, Answer::No};
    EXPECT_EQ(sink.ask("q1", "提示"), Answer::Yes);
    EXPECT_EQ(sink.ask("q2", "提示"), Answer::No);
    EXPECT_EQ(sink.ask("q3", "提示"), Answer::Cancel);
    EXPECT_EQ(sink.asked.size(), 3u);
}

TEST(MessageSink, OncePerCommandShowsEachTextOnceUntilReset) {
    RecordingSink target;
    OncePerCommandSink once(target);
    for (int column = 0; column < 1000; ++column)
        once.show("输入有误", "", MessageIcon::Error);
    once.show("other", "", MessageIcon::Error);
    EXPECT_EQ(target.shown.size(), 2u);
    once.reset();
    once.show("输入有误", "", MessageIcon::Error);
    EXPECT_EQ(target.shown.size(), 3u);
}
