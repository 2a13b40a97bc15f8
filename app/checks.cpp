#include "app/checks.h"

#include <tlhelp32.h>
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <future>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "app/main_window.h"
#include "styling/hook/hook.h"

#ifndef LANZHOU_UPDATE_SERVER
#define LANZHOU_UPDATE_SERVER "http://127.0.0.1:18080"
#endif

char* RemoteVersionText = nullptr;

namespace {

// Titles are read in UTF-16: the first read takes the claimed length up to this many units and
// a read that fills its buffer is repeated with twice the room, up to kMaxTitleUnits, so that
// neither a long title nor a window that claims an absurd length is cut or believed.
constexpr std::size_t kFirstTitleRead = 64 * 1024;
constexpr std::size_t kMaxTitleUnits = 16 * 1024 * 1024;
// What an editor may put before the text when it saves the version file as UTF-8.
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// Closes a WinINet handle when it goes out of scope.
class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  ~InternetHandle() {
    if (handle_) InternetCloseHandle(handle_);
  }
  HINTERNET get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HINTERNET handle_;
};

// Closes a Toolhelp snapshot when it goes out of scope.
class SnapshotHandle {
 public:
  explicit SnapshotHandle(HANDLE handle) : handle_(handle) {}
  SnapshotHandle(const SnapshotHandle&) = delete;
  SnapshotHandle& operator=(const SnapshotHandle&) = delete;
  ~SnapshotHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

void SetNetworkTimeouts(HINTERNET handle) {
  DWORD ms = kNetworkTimeoutMs;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                       INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    InternetSetOptionA(handle, option, &ms, sizeof ms);
  }
}

BOOL CALLBACK CollectVisibleWindow(HWND window, LPARAM lParam) {
  if (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
  }
  return TRUE;
}

BOOL CALLBACK FindMainWindowOfThread(HWND window, LPARAM lParam) {
  char className[64] = "";
  GetClassNameA(window, className, sizeof className);
  if (std::strcmp(className, kMainWindowClass) != 0) return TRUE;
  *reinterpret_cast<HWND*>(lParam) = window;
  return FALSE;
}

std::string ReadOwnCaption(HWND window) {
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string caption(static_cast<std::size_t>(length) + 1, '\0');
  caption.resize(static_cast<std::size_t>(GetWindowTextA(window, caption.data(), length + 1)));
  return caption;
}

bool AnsweredOk(HINTERNET request) {
  DWORD status = 0;
  DWORD size = sizeof status;
  return HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        nullptr) &&
         status == HTTP_STATUS_OK;
}

// Reads the body up to and with its first zero byte, or kVersionBodyCap + 1 bytes of text:
// what follows cannot change the verdict and is left unread.
std::optional<ByteSet> ReadVersionBody(HINTERNET request, const std::atomic<bool>& abandoned) {
  ByteSet body;
  std::uint8_t chunk[4096];
  while (body.size() <= kVersionBodyCap) {
    if (abandoned) return std::nullopt;
    const auto wanted =
        static_cast<DWORD>(std::min<std::size_t>(sizeof chunk, kVersionBodyCap + 1 - body.size()));
    DWORD read = 0;
    if (!InternetReadFile(request, chunk, wanted, &read)) return std::nullopt;
    if (read == 0) break;
    const std::uint8_t* begin = chunk;
    const std::uint8_t* end = begin + read;
    const std::uint8_t* zero = std::find(begin, end, std::uint8_t{0});
    body.insert(body.end(), begin, zero == end ? end : zero + 1);
    if (zero != end) break;
  }
  return body;
}

// Reads a window's text in UTF-16 (see kFirstTitleRead); empty when it does not answer.
std::wstring ReadWideTitle(HWND window, std::size_t claimedUnits) {
  std::size_t capacity = std::min(claimedUnits, kFirstTitleRead) + 1;
  for (;;) {
    std::wstring title(capacity, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(title.data()),
                             SMTO_ABORTIFHUNG, kTitleTimeoutMs, &copied)) {
      return {};
    }
    title.resize(std::wcslen(title.c_str()));
    if (title.size() + 1 < capacity || capacity > kMaxTitleUnits) return title;
    capacity *= 2;
  }
}

std::string ToCodePage(const std::wstring& text, UINT codePage) {
  if (text.empty()) return {};
  const int units = static_cast<int>(text.size());
  const int bytes =
      WideCharToMultiByte(codePage, 0, text.data(), units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string converted(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), units, converted.data(), bytes, nullptr, nullptr);
  return converted;
}

// The download itself; stops early once the caller has stopped waiting for it.
std::optional<ByteSet> FetchVersionFile(const std::string& url,
                                        const std::atomic<bool>& abandoned) {
  char host[INTERNET_MAX_HOST_NAME_LENGTH] = "";
  char path[INTERNET_MAX_PATH_LENGTH] = "";
  char extra[INTERNET_MAX_PATH_LENGTH] = "";
  URL_COMPONENTSA parts{};
  parts.dwStructSize = sizeof parts;
  parts.lpszHostName = host;
  parts.dwHostNameLength = sizeof host;
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = sizeof path;
  parts.lpszExtraInfo = extra;
  parts.dwExtraInfoLength = sizeof extra;
  if (!InternetCrackUrlA(url.c_str(), 0, 0, &parts)) return std::nullopt;
  const std::string object = std::string(path) + extra;

  InternetHandle session(
      InternetOpenA("lanzhou", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) return std::nullopt;
  SetNetworkTimeouts(session.get());
  InternetHandle connection(InternetConnectA(session.get(), host, parts.nPort, nullptr, nullptr,
                                             INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return std::nullopt;
  const char* acceptTypes[] = {"*/*", nullptr};
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
  if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
  InternetHandle request(HttpOpenRequestA(connection.get(), "GET", object.c_str(), "HTTP/1.0",
                                          nullptr, acceptTypes, flags, 0));
  if (!request) return std::nullopt;
  SetNetworkTimeouts(request.get());
  if (!HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0)) return std::nullopt;
  // An error page or a redirect that led nowhere is no version file.
  if (!AnsweredOk(request.get())) return std::nullopt;
  return ReadVersionBody(request.get(), abandoned);
}

}  // namespace

void StoreRemoteVersionText(std::string_view text) {
  FreeRemoteVersionText();
  RemoteVersionText = new char[text.size() + 1];
  std::memcpy(RemoteVersionText, text.data(), text.size());
  RemoteVersionText[text.size()] = '\0';
}

void FreeRemoteVersionText() {
  delete[] RemoteVersionText;
  RemoteVersionText = nullptr;
}

std::string AsciiUpper(std::string_view text, UINT codePage) {
  std::string upper(text);
  for (std::size_t i = 0; i < upper.size(); ++i) {
    const auto byte = static_cast<unsigned char>(upper[i]);
    if (IsDBCSLeadByteEx(codePage, byte)) {
      ++i;  // the trail byte belongs to the same character
    } else if (byte >= 'a' && byte <= 'z') {
      upper[i] = static_cast<char>(byte - 'a' + 'A');
    }
  }
  return upper;
}

bool IsClientExecutable(std::string_view exeName) {
  return AsciiUpper(exeName) == AsciiUpper(kClientExecutable);
}

bool ContainsText(std::string_view text, std::string_view searched) {
  if (text.empty()) return false;
  return text.find(searched) != std::string_view::npos;
}

bool TitleShowsChannel(std::string_view title, std::string_view channel, std::string_view extra) {
  return ContainsText(title, channel) && ContainsText(title, extra);
}

std::string BodyToText(const ByteSet& body) {
  const auto end = std::find(body.begin(), body.end(), std::uint8_t{0});
  return std::string(body.begin(), end);
}

std::string_view PublishedVersion(std::string_view text) {
  if (text.starts_with(kUtf8Bom)) text.remove_prefix(std::strlen(kUtf8Bom));
  if (text.ends_with("\r\n")) {
    text.remove_suffix(2);
  } else if (text.ends_with('\n')) {
    text.remove_suffix(1);
  }
  return text;
}

std::string VersionFileUrl() {
  std::string server = LANZHOU_UPDATE_SERVER;
  while (!server.empty() && server.back() == '/') server.pop_back();
  return server + kVersionFilePath;
}

std::string ReadWindowTitle(HWND window, UINT codePage) {
  // Not SendMessageA: one hung window of any program must not freeze the start. The title is
  // asked in UTF-16 (Wine's ANSI WM_GETTEXTLENGTH to another process ignores the timeout) and
  // converted here, so that it comes whole however many bytes a character takes in the code
  // page.
  DWORD_PTR units = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTitleTimeoutMs,
                           &units) ||
      units == 0) {
    return {};
  }
  return ToCodePage(ReadWideTitle(window, units), codePage);
}

bool VisibleWindowShowsChannel(std::string_view channel, std::string_view extra) {
  std::vector<HWND> windows;
  EnumWindows(CollectVisibleWindow, reinterpret_cast<LPARAM>(&windows));
  return std::any_of(windows.begin(), windows.end(), [&](HWND window) {
    return TitleShowsChannel(ReadWindowTitle(window), channel, extra);
  });
}

bool ChannelPresent(std::string_view channel, std::string_view extra) {
  SnapshotHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot.valid()) return false;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more;
       more = Process32Next(snapshot.get(), &entry)) {
    // Success cannot be undone by a later process, so the first one ends the walk.
    if (IsClientExecutable(entry.szExeFile) && VisibleWindowShowsChannel(channel, extra)) {
      return true;
    }
  }
  return false;
}

std::string PresenceMessage(std::string_view channel) {
  return std::string("请打开YY并进入频道：").append(channel).append(",再打开软件！");
}

void CheckChannelPresence(const char* channel, const char* extra) {
  const std::string channelText = channel ? channel : "";
  const std::string extraText = extra ? extra : "";
  if (ChannelPresent(channelText, extraText)) return;
  // No owner and no styling: the hook is not installed yet at this point.
  MessageBoxA(nullptr, PresenceMessage(channelText).c_str(), "错误提示",
              MB_ICONINFORMATION | MB_TASKMODAL);
  std::exit(0);
}

std::optional<ByteSet> DownloadVersionFile(const std::string& url) {
  // WinINet does not bound every step by its timeouts (name resolution; a connection attempt
  // to a host that drops it, under Wine), so a worker does the download and the caller stops
  // waiting at the deadline. An abandoned worker ends on its own or with the process.
  auto abandoned = std::make_shared<std::atomic<bool>>(false);
  std::promise<std::optional<ByteSet>> promise;
  std::future<std::optional<ByteSet>> result = promise.get_future();
  try {
    std::thread([url, abandoned, promise = std::move(promise)]() mutable {
      promise.set_value(FetchVersionFile(url, *abandoned));
    }).detach();
  } catch (const std::system_error&) {
    return FetchVersionFile(url, *abandoned);  // no thread to spare: WinINet's timeouts only
  }
  if (result.wait_for(std::chrono::milliseconds(kDownloadDeadlineMs)) !=
      std::future_status::ready) {
    *abandoned = true;
    return std::nullopt;
  }
  return result.get();
}

UpdateVerdict JudgeVersion(std::string_view localVersion, const std::optional<ByteSet>& body) {
  if (!body) return UpdateVerdict::CheckFailed;
  return PublishedVersion(BodyToText(*body)) == localVersion ? UpdateVerdict::UpToDate
                                                             : UpdateVerdict::Expired;
}

HWND FindOwnMainWindow() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindMainWindowOfThread, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool CheckForUpdate() {
  HWND mainWindow = FindOwnMainWindow();
  const std::optional<ByteSet> body = DownloadVersionFile(VersionFileUrl());
  StoreRemoteVersionText(body ? PublishedVersion(BodyToText(*body)) : std::string_view());
  switch (JudgeVersion(ReadOwnCaption(mainWindow), body)) {
    case UpdateVerdict::UpToDate:
      StyledMessageBox(mainWindow, kUpToDateText, MB_OK, kUpdateCaption);
      return true;
    case UpdateVerdict::Expired:
      StyledMessageBox(mainWindow, kExpiredText, MB_OK, kUpdateCaption);
      break;
    case UpdateVerdict::CheckFailed:
      // An unchecked copy does not run on either; the user is told why.
      StyledMessageBox(mainWindow, kCheckFailedText, MB_OK, kUpdateCaption);
      break;
  }
  if (mainWindow) PostMessageA(mainWindow, WM_CLOSE, 0, 0);
  return false;
}
