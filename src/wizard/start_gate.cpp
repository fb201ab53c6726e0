#include "wizard/start_gate.h"

namespace vwi {

bool StartGate::WaitEnded() {
  if (started_ || cancelled_) return false;
  if (questionOpen_) {
    heldBack_ = true;
    return false;
  }
  started_ = true;
  return true;
}

bool StartGate::QuestionOpened() {
  if (questionOpen_) return false;
  questionOpen_ = true;
  return true;
}

bool StartGate::QuestionAnswered(bool cancel) {
  questionOpen_ = false;
  if (cancel) {
    cancelled_ = true;
    heldBack_ = false;
    return false;
  }
  if (!heldBack_) return false;
  heldBack_ = false;
  started_ = true;
  return true;
}

}  // namespace vwi
