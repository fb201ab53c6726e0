#include "download/win/cancel_request.h"

namespace vwi {

bool CancelRequest::IsCancelled() const {
  return cancelEvent && WaitForSingleObject(cancelEvent, 0) == WAIT_OBJECT_0;
}

bool CancelRequest::IsPaused() const {
  return runEvent && WaitForSingleObject(runEvent, 0) != WAIT_OBJECT_0;
}

}  // namespace vwi
