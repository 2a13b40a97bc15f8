// Stand-in for Internet Explorer: appends the parameters of its command line (the URL) as one
// line to the file named by LANZHOU_IEXPLORE_LOG, then ends.
#include <windows.h>

#include <cstring>

namespace {

// The command line without the program name (quoted or not) and the blanks after it.
const char* ParametersOf(const char* line) {
  if (*line == '"') {
    line = std::strchr(line + 1, '"');
    line = line ? line + 1 : "";
  } else {
    while (*line && *line != ' ' && *line != '\t') ++line;
  }
  while (*line == ' ' || *line == '\t') ++line;
  return line;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH];
  if (!GetEnvironmentVariableA("LANZHOU_IEXPLORE_LOG", path, sizeof path)) return 1;
  HANDLE log = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return 1;
  const char* parameters = ParametersOf(GetCommandLineA());
  DWORD written = 0;
  WriteFile(log, parameters, static_cast<DWORD>(std::strlen(parameters)), &written, nullptr);
  WriteFile(log, "\n", 1, &written, nullptr);
  CloseHandle(log);
  return 0;
}
