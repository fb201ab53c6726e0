// What the context's start-up probing needs from outside: the operating
// system, the application's flags, and the probes of the manifest, language
// and existing-installation steps. Everything after the flags defaults to the
// platform's own; native tests put doubles in their place.
#pragma once

#include <cstdint>

#include "context/app_flags.h"
#include "context/existing_installation.h"
#include "context/installed_products.h"
#include "context/language_list.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/system_services.h"
#include "xml/xml_platform.h"

namespace vwi {

struct ContextServices {
  ISystemServices& system;
  AppFlags& flags;
  IRegistry& registry = SystemRegistry();
  IInstalledProducts& products = SystemInstalledProducts();
  IMessageBox& messageBox = ProbeMessageBox();
  IRawFileSystem& files = SystemFileSystem();  // manifest reading
  ICodePageConverter& converter = SystemCodePageConverter();
  int32_t userUiLanguage = UserDefaultUiLanguage();
};

}  // namespace vwi
