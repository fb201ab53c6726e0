// The status panel's start: after its wait, never under the close question.
#include "wizard/start_gate.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

TEST(StartGate, StartsOnceWhenTheWaitEnds) {
  StartGate gate;
  EXPECT_FALSE(gate.started());
  EXPECT_TRUE(gate.WaitEnded());
  EXPECT_TRUE(gate.started());
  EXPECT_FALSE(gate.WaitEnded());  // a second timer changes nothing
}

TEST(StartGate, AWaitEndingUnderTheQuestionStartsAfterNo) {
  StartGate gate;
  gate.QuestionOpened();
  EXPECT_FALSE(gate.WaitEnded());  // held back: nothing may download under the question
  EXPECT_FALSE(gate.started());
  EXPECT_TRUE(gate.QuestionAnswered(false));
  EXPECT_TRUE(gate.started());
  // A question answered No before the wait ended starts nothing early.
  StartGate early;
  early.QuestionOpened();
  EXPECT_FALSE(early.QuestionAnswered(false));
  EXPECT_TRUE(early.WaitEnded());
}

TEST(StartGate, YesBeforeTheStartMeansNoStartEver) {
  StartGate gate;
  gate.QuestionOpened();
  EXPECT_FALSE(gate.WaitEnded());
  EXPECT_FALSE(gate.QuestionAnswered(true));
  EXPECT_FALSE(gate.WaitEnded());
  EXPECT_FALSE(gate.started());
  StartGate before;
  before.QuestionOpened();
  EXPECT_FALSE(before.QuestionAnswered(true));
  EXPECT_FALSE(before.WaitEnded());
}

TEST(StartGate, AQuestionAfterTheStartChangesNothing) {
  StartGate gate;
  EXPECT_TRUE(gate.WaitEnded());
  gate.QuestionOpened();
  EXPECT_FALSE(gate.QuestionAnswered(false));
  EXPECT_TRUE(gate.started());
}

TEST(StartGate, TheQuestionOpensOnceAtATime) {
  StartGate gate;
  EXPECT_TRUE(gate.QuestionOpened());
  EXPECT_FALSE(gate.QuestionOpened());  // a close request under the open question
  EXPECT_FALSE(gate.QuestionAnswered(false));
  EXPECT_TRUE(gate.QuestionOpened());  // asked again after the answer
}

}  // namespace
}  // namespace vwi
