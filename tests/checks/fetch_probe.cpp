// Test driver: downloads the version file as the launcher does and reports the outcome as one
// JSON line: {"complete":true|false,"size":N,"text":"hex of the version text","ms":N}.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/checks.h"

int main() {
  const DWORD started = GetTickCount();
  const std::optional<ByteSet> body = DownloadVersionFile(VersionFileUrl());
  const DWORD elapsed = GetTickCount() - started;
  std::string hex;
  if (body) {
    for (unsigned char c : BodyToText(*body)) {
      char digits[3];
      std::snprintf(digits, sizeof digits, "%02x", c);
      hex += digits;
    }
  }
  std::printf("{\"complete\":%s,\"size\":%ld,\"text\":\"%s\",\"ms\":%lu}\n",
              body ? "true" : "false", body ? static_cast<long>(body->size()) : -1L, hex.c_str(),
              static_cast<unsigned long>(elapsed));
  return 0;
}
