// The download engine's texts in the interface language, from the catalogue.
#pragma once

#include "install/install_texts.h"
#include "install/progress.h"
#include "install/recheck_texts.h"
#include "localisation/ui_string_catalogue.h"

namespace vwi {

// The status and remaining-time lines of the snapshot.
ProgressTexts ProgressTextsFrom(const UiStringCatalogue& strings);

// The texts of the version re-check's boxes.
RecheckTexts RecheckTextsFrom(const UiStringCatalogue& strings);

// The texts of the engine's own boxes (download failure, running programs).
InstallTexts InstallTextsFrom(const UiStringCatalogue& strings);

}  // namespace vwi
