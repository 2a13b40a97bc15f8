// Test double for SkinH_EL.dll: records each SkinH_AttachRes call. LANZHOU_SKINH_LOG names a
// text file that gets one line per call; the skin bytes of the last call go to that name with
// ".data" appended.
#include <windows.h>

#include <cstdio>
#include <string>

extern "C" int __stdcall SkinH_AttachRes(const unsigned char* data, int length,
                                         const char* password, int hue, int saturation,
                                         int brightness) {
  char log[MAX_PATH] = "";
  if (!GetEnvironmentVariableA("LANZHOU_SKINH_LOG", log, MAX_PATH)) return 0;
  std::string text = "data=";
  char number[32];
  if (data) {
    std::snprintf(number, sizeof number, "%p", static_cast<const void*>(data));
    text += number;
  } else {
    text += "null";
  }
  std::snprintf(number, sizeof number, " length=%d", length);
  text += number;
  text += password ? " password=\"" + std::string(password) + "\"" : " password=null";
  std::snprintf(number, sizeof number, " hue=%d saturation=%d", hue, saturation);
  text += number;
  std::snprintf(number, sizeof number, " brightness=%d\n", brightness);
  text += number;
  if (FILE* f = std::fopen(log, "ab")) {
    std::fputs(text.c_str(), f);
    std::fclose(f);
  }
  if (data && length > 0) {
    if (FILE* f = std::fopen((std::string(log) + ".data").c_str(), "wb")) {
      std::fwrite(data, 1, static_cast<std::size_t>(length), f);
      std::fclose(f);
    }
  }
  return 1;
}
