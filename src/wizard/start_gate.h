// When the status panel starts the installation: when its start wait has
// passed, but never while the close question is open (a download started
// under it could not be paused), and never once the user has answered Yes.
#pragma once

namespace vwi {

class StartGate {
 public:
  // The start wait has passed: true when the installation starts now.
  bool WaitEnded();
  // The close question is about to be shown: false when it is open already
  // (a second close request while it shows must not ask again).
  bool QuestionOpened();
  // The close question was answered (`cancel`: Yes). True when a start held
  // back while it was open is due now.
  bool QuestionAnswered(bool cancel);
  // True once the installation has been started.
  bool started() const { return started_; }

 private:
  bool started_ = false;
  bool questionOpen_ = false;
  bool heldBack_ = false;
  bool cancelled_ = false;
};

}  // namespace vwi
