// SkinH_EL.dll: the skin library the launcher carries. Its one export attaches a skin to the
// calling thread's windows, present and future.
#include <windows.h>

#include "skinlib/skin_format.h"
#include "skinlib/skin_windows.h"
#include "skinlib/theme.h"

namespace {

// Windows keep pointing at this library's procedures: it must never be unloaded under them.
void PinThisLibrary() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCWSTR>(&PinThisLibrary), &self);
}

}  // namespace

// data, length: one skin file (see SKIN_FORMAT.md); password: accepted and unused, the
// format is not encrypted; hue (degrees), saturation and brightness (percent): adjustments of
// every colour. Returns 1 when the skin was applied, 0 when it was rejected and nothing was
// changed.
// Exported undecorated through SkinH_EL.def.
extern "C" int __stdcall SkinH_AttachRes(const unsigned char* data, int length,
                                         const char* password, int hue, int saturation,
                                         int brightness) {
  (void)password;
  if (!data || length <= 0 || !she::AdjustmentsInRange(hue, saturation, brightness)) return 0;
  she::SkinDescription skin;
  if (she::ParseSkin(data, static_cast<std::size_t>(length), &skin) != she::ParseStatus::Ok) {
    return 0;
  }
  skin::Theme* theme = skin::CreateTheme(skin, hue, saturation, brightness);
  if (!theme) return 0;
  PinThisLibrary();
  skin::Theme* previous = skin::ReplaceTheme(theme);
  skin::CatchFutureWindows();
  skin::SkinThreadWindows();
  // Painters read the current theme whenever they paint: the old one is no longer used.
  skin::DeleteTheme(previous);
  return 1;
}
