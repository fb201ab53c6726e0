// What the context's start-up probing needs from outside: the operating
// system, the application's flags, and the probes of the manifest, language
// and existing-installation steps.
#pragma once

#include "app/app_flags.h"
#include "platform/system_services.h"

namespace vwi {

struct ContextServices {
  ISystemServices& system;
  AppFlags& flags;
};

}  // namespace vwi
