// The main window's fixed layout, its page switching and the lesson links.
#include "app/main_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct ChildInfo {
  std::string cls, text;
  RECT rect;
  bool visible;
};

std::vector<ChildInfo> ChildrenOf(HWND parent) {
  std::vector<ChildInfo> out;
  for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    char cls[256] = "", text[256] = "";
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, text, sizeof text);
    RECT r{};
    GetWindowRect(w, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    out.push_back({cls, text, r, IsWindowVisible(w) != FALSE});
  }
  return out;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = CreateMainWindow(GetModuleHandleA(nullptr));
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
  }
  void TearDown() override {
    DestroyWindow(window);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {  // drop the quit request
    }
  }
  HWND window = nullptr;
};

TEST(LessonTable, TextsAreGbkBytes) {
  // "第一课下载" in code page 936.
  const std::string expected = "\xB5\xDA\xD2\xBB\xBF\xCE\xCF\xC2\xD4\xD8";
  EXPECT_EQ(std::string(kLessonButtons[0].caption), expected);
  EXPECT_EQ(std::string(kMainWindowCaption), "1.1");
}

TEST(LessonTable, LinksAreDistinctAndFollowTheTableOrder) {
  std::set<std::string> links;
  for (const LessonButton& b : kLessonButtons) links.insert(b.link);
  EXPECT_EQ(links.size(), kLessonButtons.size());
  // Page 2: links 7, 8, 9 belong to 按钮7, 按钮9, 按钮8 in that order.
  EXPECT_EQ(std::string(kLessonButtons[6].element), "按钮7");
  EXPECT_EQ(std::string(kLessonButtons[7].element), "按钮9");
  EXPECT_EQ(std::string(kLessonButtons[8].element), "按钮8");
  EXPECT_EQ(kLessonButtons[7].height, 23);
}

TEST_F(MainWindowTest, HasTheFixedLayout) {
  char caption[16] = "";
  GetWindowTextA(window, caption, sizeof caption);
  EXPECT_STREQ(caption, "1.1");
  RECT r{};
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right - r.left, 256);
  EXPECT_EQ(r.bottom - r.top, 288);

  const auto children = ChildrenOf(window);
  ASSERT_EQ(children.size(), 10u);
  const ChildInfo* tab = nullptr;
  for (const auto& c : children) {
    if (c.cls == WC_TABCONTROLA) tab = &c;
  }
  ASSERT_NE(tab, nullptr);
  EXPECT_EQ(tab->rect.left, 0);
  EXPECT_EQ(tab->rect.top, 0);
  EXPECT_EQ(tab->rect.right, 304);
  EXPECT_EQ(tab->rect.bottom, 264);
}

TEST_F(MainWindowTest, TabControlHasTwoPagesInSimSun) {
  HWND tab = FindWindowExA(window, nullptr, WC_TABCONTROLA, nullptr);
  ASSERT_NE(tab, nullptr);
  ASSERT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 2);
  for (int i = 0; i < 2; ++i) {
    char text[64] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, kTabPageCaptions[i]);
  }
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(tab, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, "宋体");
  EXPECT_EQ(font.lfHeight, -12);
  EXPECT_EQ(font.lfWeight, 400);
  EXPECT_EQ(font.lfCharSet, 134);
}

TEST_F(MainWindowTest, OnlyTheSelectedPagesButtonsAreShown) {
  for (int page = 1; page <= 2; ++page) {
    ShowTabPage(window, page);
    int shown = 0;
    for (const auto& c : ChildrenOf(window)) {
      if (c.cls != "Button") continue;
      const LessonButton* match = nullptr;
      for (const LessonButton& b : kLessonButtons) {
        if (c.text == b.caption && c.rect.left == b.left && c.rect.top == b.top) match = &b;
      }
      ASSERT_NE(match, nullptr) << c.text;
      EXPECT_EQ(c.rect.right - c.rect.left, match->width);
      EXPECT_EQ(c.rect.bottom - c.rect.top, match->height);
      EXPECT_EQ(c.visible, match->page == page) << c.text;
      shown += c.visible;
    }
    EXPECT_EQ(shown, page == 1 ? 6 : 3);
  }
}

}  // namespace
