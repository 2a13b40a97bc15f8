// The pure pieces of the presence and update checks, and reading other windows' titles.
#include "app/checks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

namespace {

// GBK 0x81 0x61 is one character whose second byte is the ASCII code of 'a'.
constexpr char kGbkWithLetterTrail[] = "\x81\x61";

TEST(ClientName, UpperCasesOnlyAsciiLettersAndKeepsDoubleByteCharacters) {
  EXPECT_EQ(AsciiUpper("yy.exe", 936), "YY.EXE");
  EXPECT_EQ(AsciiUpper("Yy-9_z.Exe", 936), "YY-9_Z.EXE");
  EXPECT_EQ(AsciiUpper(std::string("a") + kGbkWithLetterTrail + "b", 936),
            std::string("A") + kGbkWithLetterTrail + "B");
  EXPECT_EQ(AsciiUpper("岚舟yy.exe", 936), "岚舟YY.EXE");
  // A lead byte at the very end has no trail byte to skip.
  EXPECT_EQ(AsciiUpper("yy\x81", 936), "YY\x81");
  EXPECT_EQ(AsciiUpper("", 936), "");
}

TEST(ClientName, MatchesYyExeInAnyLetterCaseOnly) {
  for (const char* name : {"YY.exe", "yy.EXE", "yY.ExE", "YY.EXE"}) {
    EXPECT_TRUE(IsClientExecutable(name)) << name;
  }
  for (const char* name : {"", "YY", "YY.exe.bak", "xYY.exe", "YY .exe", "ＹＹ.exe", "YYY.exe"}) {
    EXPECT_FALSE(IsClientExecutable(name)) << name;
  }
}

TEST(ChannelTitle, ContainsBothTextsByteWiseAndCaseSensitive) {
  EXPECT_TRUE(TitleShowsChannel("YY - 52804117", "52804117", ""));
  EXPECT_TRUE(TitleShowsChannel("52804117", "52804117", ""));
  EXPECT_TRUE(TitleShowsChannel("频道52804117岚舟", "52804117", "岚舟"));
  EXPECT_FALSE(TitleShowsChannel("频道52804117", "52804117", "岚舟"));
  EXPECT_FALSE(TitleShowsChannel("YY - 5280411", "52804117", ""));
  EXPECT_TRUE(TitleShowsChannel("Guild 52804117", "52804117", "Guild"));
  EXPECT_FALSE(TitleShowsChannel("guild 52804117", "52804117", "Guild"));
}

TEST(ChannelTitle, EmptyTextIsInEveryNonEmptyTitleAndInNoEmptyOne) {
  EXPECT_TRUE(ContainsText("x", ""));
  EXPECT_FALSE(ContainsText("", ""));
  EXPECT_FALSE(ContainsText("", "52804117"));
  EXPECT_TRUE(TitleShowsChannel("anything", "", ""));
  EXPECT_FALSE(TitleShowsChannel("", "", ""));
}

TEST(VersionText, IsTheBodyUpToTheFirstZeroByte) {
  EXPECT_EQ(BodyToText({'1', '.', '1'}), "1.1");
  EXPECT_EQ(BodyToText({'1', '.', '1', 0, 'x', 0}), "1.1");
  EXPECT_EQ(BodyToText({0, '1'}), "");
  EXPECT_EQ(BodyToText({}), "");
  // No trimming and no code-page conversion.
  EXPECT_EQ(BodyToText({'1', '.', '1', '\r', '\n'}), "1.1\r\n");
  EXPECT_EQ(BodyToText({' ', 0xB0, 0xE6, ' '}), " \xB0\xE6 ");
}

TEST(VersionText, OneBomAndOneLineBreakAreTheEditorsAndNothingElseIsTrimmed) {
  using enum UpdateVerdict;
  const std::string bom = "\xEF\xBB\xBF";
  const struct {
    std::string body;
    UpdateVerdict verdict;
  } cases[] = {
      {"1.1", UpToDate},
      {"1.1\n", UpToDate},
      {"1.1\r\n", UpToDate},
      {bom + "1.1", UpToDate},
      {bom + "1.1\r\n", UpToDate},
      {std::string("1.1\0\n9", 6), UpToDate},
      {"1.0", Expired},
      {"", Expired},
      {"1.1\n\n", Expired},
      {"1.1\r", Expired},
      {" 1.1", Expired},
      {"\n1.1", Expired},
      {bom + bom + "1.1", Expired},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JudgeVersion("1.1", ByteSet(c.body.begin(), c.body.end())), c.verdict) << c.body;
  }
  // A failed download is no version, not even for an empty local text.
  EXPECT_EQ(JudgeVersion("", std::nullopt), CheckFailed);
  EXPECT_EQ(JudgeVersion("", ByteSet{}), UpToDate);
}

TEST(VersionText, DownloadedTextIsKeptAsOwnCopyUntilFreed) {
  std::string text = "1.1";
  StoreRemoteVersionText(text);
  text[0] = '9';
  ASSERT_NE(RemoteVersionText, nullptr);
  EXPECT_STREQ(RemoteVersionText, "1.1");
  StoreRemoteVersionText(std::string_view("a\0b", 3));
  EXPECT_EQ(std::memcmp(RemoteVersionText, "a\0b", 4), 0);
  FreeRemoteVersionText();
  EXPECT_EQ(RemoteVersionText, nullptr);
  FreeRemoteVersionText();  // twice is harmless
}

TEST(VersionText, UrlIsTheServerAddressAndTheGbkPath) {
  const std::string url = VersionFileUrl();
  const std::string server = LANZHOU_UPDATE_SERVER;
  EXPECT_EQ(url.rfind(server, 0), 0u) << url;
  EXPECT_EQ(url.substr(url.size() - 11), "/\xB0\xE6\xB1\xBE\xBA\xC5.txt");
}

// A top-level window of this thread; destroyed with the object.
class TitledWindow {
 public:
  explicit TitledWindow(const char* title, bool visible = true, WNDPROC proc = DefWindowProcA) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = proc == DefWindowProcA ? "ChecksTestWindow" : "ChecksTestBragger";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, title, WS_POPUP, 10, 10, 60, 20,
                              nullptr, nullptr, wc.hInstance, nullptr);
    if (visible) ShowWindow(window_, SW_SHOWNOACTIVATE);
  }
  ~TitledWindow() { DestroyWindow(window_); }
  HWND get() const { return window_; }

 private:
  HWND window_;
};

// Claims an absurd title length: the reader must neither trust nor crash on it.
LRESULT CALLBACK BraggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETTEXTLENGTH) return 0x7FFFFFFF;
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(WindowTitle, ReadsAnsiTitlesOfAnyLengthAndEmptyOnes) {
  TitledWindow plain("频道 90817263");
  EXPECT_EQ(ReadWindowTitle(plain.get()), "频道 90817263");
  const std::string longTitle = std::string(3000, 'a') + " 90817263";
  TitledWindow longer(longTitle.c_str());
  EXPECT_EQ(ReadWindowTitle(longer.get()), longTitle);
  TitledWindow untitled("");
  EXPECT_EQ(ReadWindowTitle(untitled.get()), "");
  const std::string overFirstRead = std::string(140000, 'b') + " 90817263";
  TitledWindow longest("");  // Wine keeps 16 bits of a title's length given at creation
  SetWindowTextA(longest.get(), overFirstRead.c_str());
  EXPECT_TRUE(ReadWindowTitle(longest.get()) == overFirstRead);  // no 140,000-byte report
  TitledWindow bragger("modest 90817263", true, BraggingProc);
  EXPECT_EQ(ReadWindowTitle(bragger.get()), "modest 90817263");
  EXPECT_EQ(ReadWindowTitle(nullptr), "");
}

TEST(WindowTitle, ComesWholeInACodePageOfThreeBytesACharacter) {
  std::wstring title(3000, L'\x9891');  // 频
  title += L" 90817263";
  HWND window = CreateWindowExW(0, L"STATIC", title.c_str(), WS_POPUP, 0, 0, 9, 9, nullptr, nullptr,
                                nullptr, nullptr);
  std::string utf8;
  for (std::size_t i = 0; i < 3000; ++i) utf8 += "\xE9\xA2\x91";
  EXPECT_EQ(ReadWindowTitle(window, CP_UTF8), utf8 + " 90817263");
  DestroyWindow(window);
}

TEST(WindowTitle, HungWindowYieldsAnEmptyTitleInsteadOfBlocking) {
  HWND hungWindow = nullptr;
  HANDLE created = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread owner([&] {
    TitledWindow window("hung 90817263");
    hungWindow = window.get();
    SetEvent(created);
    WaitForSingleObject(release, 30000);  // serves no messages meanwhile
  });
  WaitForSingleObject(created, 10000);
  const DWORD started = GetTickCount();
  EXPECT_EQ(ReadWindowTitle(hungWindow), "");
  std::printf("hung window given up after %lu ms\n",
              static_cast<unsigned long>(GetTickCount() - started));
  SetEvent(release);
  owner.join();
  CloseHandle(created);
  CloseHandle(release);
}

TEST(WindowTitle, OnlyVisibleWindowsShowTheChannel) {
  EXPECT_FALSE(VisibleWindowShowsChannel("90817263", ""));
  TitledWindow hidden("hidden 90817263", false);
  EXPECT_FALSE(VisibleWindowShowsChannel("90817263", ""));
  TitledWindow shown("shown 90817263 extra");
  EXPECT_TRUE(VisibleWindowShowsChannel("90817263", ""));
  EXPECT_TRUE(VisibleWindowShowsChannel("90817263", "extra"));
  EXPECT_FALSE(VisibleWindowShowsChannel("90817263", "other"));
}

}  // namespace
