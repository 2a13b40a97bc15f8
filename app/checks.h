#pragma once
// The two start-up checks: the voice-chat client with the guild's channel open, and the
// published version against the program's own (the main window's caption).

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "resources/byte_set.h"

inline constexpr char kClientExecutable[] = "YY.exe";
// The update server's address is a build setting (LANZHOU_UPDATE_SERVER).
inline constexpr char kVersionFilePath[] = "/版本号.txt";
inline constexpr char kUpdateCaption[] = "岚舟提示";
inline constexpr char kUpToDateText[] = "当前是最新版本";
inline constexpr char kExpiredText[] = "版本已到期请到YY52804117下载最新版";
inline constexpr char kCheckFailedText[] = "无法连接更新服务器，请检查网络后再打开软件！";

// A version text is a few bytes: reading stops once the text has run past this bound, and
// such a text is no version.
inline constexpr std::size_t kVersionBodyCap = 64 * 1024;
// Titles of other programs' windows: how long one window may take to answer.
inline constexpr UINT kTitleTimeoutMs = 1000;
// Each network step (connect, send, receive) may wait kNetworkTimeoutMs; the whole download
// is given up after kDownloadDeadlineMs whatever WinINet does, so that a silent, trickling or
// unreachable server cannot hang the start.
inline constexpr DWORD kNetworkTimeoutMs = 5000;
inline constexpr DWORD kDownloadDeadlineMs = 10000;

// The downloaded version text, kept until the program ends (null until the first download).
extern char* RemoteVersionText;
// Replaces RemoteVersionText with a copy of the text, freeing the previous one.
void StoreRemoteVersionText(std::string_view text);
// Frees RemoteVersionText (at exit).
void FreeRemoteVersionText();

// Upper-cases ASCII a-z only; both bytes of a double-byte character of the code page stay
// as they are, even when the second one looks like a letter.
std::string AsciiUpper(std::string_view text, UINT codePage = CP_ACP);
// True when the executable file name is the client's, in any letter case.
bool IsClientExecutable(std::string_view exeName);

// Byte-wise, case-sensitive containment; the empty text is contained in every non-empty
// text and in no empty one.
bool ContainsText(std::string_view text, std::string_view searched);
// A window title shows the channel when it contains both the channel and the extra text.
bool TitleShowsChannel(std::string_view title, std::string_view channel, std::string_view extra);

// The version text of a response body: the bytes before the first zero byte.
std::string BodyToText(const ByteSet& body);

// The version a downloaded text holds: without one leading UTF-8 byte-order mark and one
// trailing line break (LF or CR LF), which editors add when saving; nothing else is trimmed.
std::string_view PublishedVersion(std::string_view text);

// The configured update-server address followed by the version file's path.
std::string VersionFileUrl();

// Reads the whole title of any window in the code page, giving up on one that does not answer
// within kTitleTimeoutMs; empty when there is none or it could not be read.
std::string ReadWindowTitle(HWND window, UINT codePage = CP_ACP);

// True when a visible top-level window of any process has a title that shows the channel.
bool VisibleWindowShowsChannel(std::string_view channel, std::string_view extra);

// True when a process of the client runs and some visible window shows the channel.
bool ChannelPresent(std::string_view channel, std::string_view extra);

// The presence check's message for the channel.
std::string PresenceMessage(std::string_view channel);

// Returns when the client runs with the channel open; otherwise tells the user (a plain
// message box) and ends the process with exit code 0. Null texts count as empty.
void CheckChannelPresence(const char* channel, const char* extra);

// GETs the URL (HTTP/1.0, Accept: */*, past the cache) and reads the body up to and with its
// first zero byte, or until the text has run past kVersionBodyCap. Nothing when the download
// failed: the connection or request failed, the status is not 200 (OK), a read failed or the
// download outlasted kDownloadDeadlineMs.
std::optional<ByteSet> DownloadVersionFile(const std::string& url);

// What the update check tells the user.
enum class UpdateVerdict { UpToDate, Expired, CheckFailed };
// The verdict on a download: a failed one is no version; the version a body holds is current
// when it equals the local version text.
UpdateVerdict JudgeVersion(std::string_view localVersion, const std::optional<ByteSet>& body);

// The calling thread's main window, or null.
HWND FindOwnMainWindow();

// Downloads the version text into RemoteVersionText and compares it with the main window's
// caption; tells the user the outcome. When the version has expired or could not be checked,
// asks the main window to close and returns false: the window is then not to be shown.
bool CheckForUpdate();
