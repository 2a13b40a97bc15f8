// Test driver: reports windows of any process as JSON lines, for the end-to-end tests.
//   winprobe windows            every top-level window
//   winprobe children HWND      every descendant of a window
//   winprobe tabs HWND          the item texts of a tab control (read across processes)
//   winprobe props HWND NAME... window properties
//   winprobe layered HWND       layered attributes and the window region's bounds
//   winprobe tbbuttons HWND     a toolbar's buttons: command, state, style, client rectangle
//   winprobe post HWND MSG WPARAM LPARAM   posts a message (numbers in C notation)
//   winprobe send HWND MSG WPARAM LPARAM   sends one that carries no pointer; prints the result
//   winprobe fonts FACE...      for each face, and for the system's message font ("message"),
//                               the English family name of the installed font that serves it
//                               at 12 pixels
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Utf8(const wchar_t* text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
  return out;
}

std::string Json(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string TextOf(HWND w) {
  wchar_t buf[1024] = L"";
  DWORD_PTR result = 0;
  SendMessageTimeoutW(w, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 1000,
                      &result);
  return Utf8(buf);
}

std::string ClassOf(HWND w) {
  wchar_t buf[256] = L"";
  GetClassNameW(w, buf, 256);
  return Utf8(buf);
}

void PrintWindow(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  RECT c{};
  GetClientRect(w, &c);
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  std::printf(
      "{\"hwnd\":%lu,\"parent\":%lu,\"owner\":%lu,\"pid\":%lu,\"class\":%s,\"text\":%s,"
      "\"visible\":%s,\"rect\":[%ld,%ld,%ld,%ld],\"client\":[%ld,%ld,%ld,%ld],"
      "\"style\":%lu,\"exstyle\":%lu,\"id\":%ld}\n",
      static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(w)),
      static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(GetAncestor(w, GA_PARENT))),
      static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(GetWindow(w, GW_OWNER))),
      static_cast<unsigned long>(pid), Json(ClassOf(w)).c_str(), Json(TextOf(w)).c_str(),
      IsWindowVisible(w) ? "true" : "false", r.left, r.top, r.right, r.bottom, origin.x, origin.y,
      origin.x + c.right, origin.y + c.bottom,
      static_cast<unsigned long>(GetWindowLongW(w, GWL_STYLE)),
      static_cast<unsigned long>(GetWindowLongW(w, GWL_EXSTYLE)),
      static_cast<long>(GetWindowLongW(w, GWL_ID)));
}

BOOL CALLBACK PrintEach(HWND w, LPARAM) {
  PrintWindow(w);
  return TRUE;
}

HWND ParseWindow(const char* text) {
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoul(text, nullptr, 0)));
}

int PrintTabs(HWND tab) {
  DWORD pid = 0;
  GetWindowThreadProcessId(tab, &pid);
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return 1;
  const int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
  const SIZE_T textSize = 512 * sizeof(wchar_t);
  auto* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, sizeof(TCITEMW) + textSize, MEM_COMMIT, PAGE_READWRITE));
  for (int i = 0; i < count && remote; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(TCITEMW));
    item.cchTextMax = 512;
    WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
    SendMessageW(tab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(remote));
    wchar_t text[512] = L"";
    ReadProcessMemory(process, remote + sizeof(TCITEMW), text, textSize, nullptr);
    text[511] = 0;
    RECT r{};
    // The rectangle message needs a remote buffer as well.
    SendMessageW(tab, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote, &r, sizeof r, nullptr);
    std::printf("{\"index\":%d,\"text\":%s,\"rect\":[%ld,%ld,%ld,%ld],\"selected\":%s}\n", i,
                Json(Utf8(text)).c_str(), r.left, r.top, r.right, r.bottom,
                SendMessageW(tab, TCM_GETCURSEL, 0, 0) == i ? "true" : "false");
  }
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return 0;
}

int PrintToolbarButtons(HWND toolbar) {
  DWORD pid = 0;
  GetWindowThreadProcessId(toolbar, &pid);
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return 1;
  auto* remote = static_cast<char*>(VirtualAllocEx(
      process, nullptr, sizeof(TBBUTTON) + sizeof(RECT), MEM_COMMIT, PAGE_READWRITE));
  const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count && remote; ++i) {
    TBBUTTON button{};
    RECT r{};
    SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(remote));
    SendMessageW(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(remote + sizeof button));
    ReadProcessMemory(process, remote, &button, sizeof button, nullptr);
    ReadProcessMemory(process, remote + sizeof button, &r, sizeof r, nullptr);
    std::printf(
        "{\"index\":%d,\"command\":%d,\"state\":%u,\"style\":%u,\"rect\":[%ld,%ld,%ld,%ld]}\n", i,
        button.idCommand, button.fsState, button.fsStyle, r.left, r.top, r.right, r.bottom);
  }
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return 0;
}

int PrintLayered(HWND w) {
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  const BOOL ok = GetLayeredWindowAttributes(w, &key, &alpha, &flags);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(w, region);
  RECT box{};
  GetRgnBox(region, &box);
  // A corner pixel tells a rounded region from a rectangle.
  const BOOL cornerInside = PtInRegion(region, 0, 0);
  DeleteObject(region);
  std::printf(
      "{\"ok\":%s,\"alpha\":%u,\"flags\":%lu,\"key\":%lu,\"region\":%d,"
      "\"box\":[%ld,%ld,%ld,%ld],\"corner_inside\":%s}\n",
      ok ? "true" : "false", alpha, static_cast<unsigned long>(flags),
      static_cast<unsigned long>(key), kind, box.left, box.top, box.right, box.bottom,
      cornerInside ? "true" : "false");
  return 0;
}

std::uint16_t BigEndian16(const std::vector<unsigned char>& bytes, std::size_t at) {
  return at + 1 < bytes.size() ? static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]) : 0;
}

// The family name (name 1, Windows platform, US English) in the selected font's name table:
// the font file's own name, whatever name the font was asked for by.
std::string FileFamilyName(HDC dc) {
  constexpr DWORD kNameTable = 0x656D616E;  // "name", as GetFontData takes table tags
  const DWORD size = GetFontData(dc, kNameTable, 0, nullptr, 0);
  if (size == GDI_ERROR) return {};
  std::vector<unsigned char> table(size);
  GetFontData(dc, kNameTable, 0, table.data(), size);
  const std::size_t count = BigEndian16(table, 2), strings = BigEndian16(table, 4);
  for (std::size_t record = 6; record < 6 + 12 * count; record += 12) {
    if (BigEndian16(table, record) != 3 || BigEndian16(table, record + 4) != 0x409 ||
        BigEndian16(table, record + 6) != 1) {
      continue;
    }
    std::wstring name;
    const std::size_t start = strings + BigEndian16(table, record + 10);
    for (std::size_t i = 0; i < BigEndian16(table, record + 8); i += 2) {
      name += static_cast<wchar_t>(BigEndian16(table, start + i));
    }
    return Utf8(name.c_str());
  }
  return {};
}

void PrintServingFamily(const std::string& label, LOGFONTW font) {
  HDC dc = GetDC(nullptr);
  HFONT handle = CreateFontIndirectW(&font);
  HGDIOBJ old = SelectObject(dc, handle);
  std::printf("{\"face\":%s,\"family\":%s}\n", Json(label).c_str(),
              Json(FileFamilyName(dc)).c_str());
  SelectObject(dc, old);
  DeleteObject(handle);
  ReleaseDC(nullptr, dc);
}

int PrintServingFamilies(int count, char** faces) {
  for (int i = 0; i < count; ++i) {
    LOGFONTW font{};
    font.lfHeight = -12;
    font.lfCharSet = DEFAULT_CHARSET;
    MultiByteToWideChar(CP_ACP, 0, faces[i], -1, font.lfFaceName, LF_FACESIZE);
    PrintServingFamily(Utf8(font.lfFaceName), font);
  }
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  PrintServingFamily("message", metrics.lfMessageFont);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string command = argv[1];
  if (command == "windows") {
    EnumWindows(PrintEach, 0);
  } else if (command == "children" && argc == 3) {
    EnumChildWindows(ParseWindow(argv[2]), PrintEach, 0);
  } else if (command == "tabs" && argc == 3) {
    return PrintTabs(ParseWindow(argv[2]));
  } else if (command == "props" && argc >= 3) {
    for (int i = 3; i < argc; ++i) {
      std::printf("{\"name\":%s,\"value\":%lu}\n", Json(argv[i]).c_str(),
                  static_cast<unsigned long>(
                      reinterpret_cast<UINT_PTR>(GetPropA(ParseWindow(argv[2]), argv[i]))));
    }
  } else if (command == "post" && argc == 6) {
    const auto number = [](const char* text) { return std::strtoul(text, nullptr, 0); };
    return PostMessageA(ParseWindow(argv[2]), static_cast<UINT>(number(argv[3])), number(argv[4]),
                        static_cast<LPARAM>(number(argv[5])))
               ? 0
               : 1;
  } else if (command == "send" && argc == 6) {
    const auto number = [](const char* text) { return std::strtoul(text, nullptr, 0); };
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(ParseWindow(argv[2]), static_cast<UINT>(number(argv[3])),
                             number(argv[4]), static_cast<LPARAM>(number(argv[5])), SMTO_NORMAL,
                             30000, &result)) {
      // Not SMTO_ABORTIFHUNG: Wine calls a window hung after 5 s without messages, which a
      // loaded machine reaches while the program is busy, not stuck.
      std::fprintf(stderr, "send: no answer (%lu)\n", GetLastError());
      return 1;
    }
    std::printf("{\"result\":%ld}\n", static_cast<long>(result));
  } else if (command == "tbbuttons" && argc == 3) {
    return PrintToolbarButtons(ParseWindow(argv[2]));
  } else if (command == "layered" && argc == 3) {
    return PrintLayered(ParseWindow(argv[2]));
  } else if (command == "fonts") {
    return PrintServingFamilies(argc - 2, argv + 2);
  } else {
    return 2;
  }
  std::fflush(stdout);
  return 0;
}
