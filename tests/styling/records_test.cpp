// Style records, family lists, properties, renumbering, the canvas and the shared helpers.
#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <vector>

#include "drawing/drawing.h"
#include "styling/frame/frame.h"
#include "styling/hook/hook.h"
#include "styling/records/canvas.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/records/self_painting.h"
#include "tests/styling/test_support.h"

namespace {

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) return 1 + ForwardMessage(window, message, wParam, lParam);
  return ForwardMessage(window, message, wParam, lParam);
}

HWND AddChild(HWND parent, const char* className, const char* text) {
  return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE, 10, 40, 60, 20, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// Registers a child in a family list the way every installer does.
template <typename Entry>
int RegisterInFamily(int styleIndex, FamilyList<Entry> StyleRecord::*family, HWND control) {
  StyleRecord& record = StyleRecordList[styleIndex];
  int entry = (record.*family).AppendEntry(control);
  (record.*family)[entry].priorProc = SubclassControl(control, styleIndex, entry, CountingProc);
  return entry;
}

TEST(FamilyList, BlankEntryIsFilledFirstThenEntriesAppend) {
  FamilyList<ButtonRecord> list;
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list[1].window, nullptr);
  EXPECT_EQ(list.Find(nullptr), 0) << "the blank entry is never a match";
  HWND a = reinterpret_cast<HWND>(0x100), b = reinterpret_cast<HWND>(0x200);
  EXPECT_EQ(list.AppendEntry(a), 1);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.AppendEntry(b), 2);
  EXPECT_EQ(list.AppendEntry(a), 3) << "a window is not looked up before it is added";
  EXPECT_EQ(list.Find(a), 1) << "first match wins";
  EXPECT_EQ(list.Find(b), 2);
  EXPECT_EQ(list.Find(reinterpret_cast<HWND>(0x300)), 0);
  EXPECT_EQ(list.At(0), nullptr);
  EXPECT_EQ(list.At(4), nullptr);
  EXPECT_EQ(list.At(2)->window, b);
}

TEST(FamilyList, ABlankedEntryIsFilledByTheNextRegistration) {
  FamilyList<StaticEntry> list;
  HWND a = reinterpret_cast<HWND>(0x100), b = reinterpret_cast<HWND>(0x200);
  list.AppendEntry(a);
  list.AppendEntry(b);
  list[2].addedWidth = 6;
  list.Blank(2);
  EXPECT_EQ(list.Find(b), 0);
  EXPECT_EQ(list[2].addedWidth, 0) << "what the entry kept goes with it";
  EXPECT_EQ(list.AppendEntry(reinterpret_cast<HWND>(0x300)), 2);
  EXPECT_EQ(list.AppendEntry(reinterpret_cast<HWND>(0x400)), 3);
  EXPECT_EQ(list.Find(a), 1);
}

// A child dialog that goes takes its own entries with it, and no others.
TEST(StyleRecords, ForgettingAWindowBlanksTheEntriesWithinItOnly) {
  HWND dialog = CreateDialogClassWindow("records", 40, 40, 300, 200);
  int index = StyleRecordList.Append(StyleRecord{});
  StyleRecordList[index].window = dialog;
  HWND page = AddChild(dialog, "Static", "page");
  HWND inside = AddChild(page, "Button", "inside");
  HWND beside = AddChild(dialog, "Button", "beside");
  RegisterInFamily(index, &StyleRecord::containers, page);
  RegisterInFamily(index, &StyleRecord::buttons, inside);
  RegisterInFamily(index, &StyleRecord::buttons, beside);
  StyleRecord& record = StyleRecordList[index];
  ForgetEntriesWithin(record, page);
  EXPECT_EQ(record.containers.Find(page), 0);
  EXPECT_EQ(record.buttons.Find(inside), 0);
  EXPECT_NE(record.buttons.Find(beside), 0);
  DestroyWindow(dialog);
  RemoveStyleRecord(dialog);
}

TEST(FamilyList, ReferencesSurviveGrowth) {
  FamilyList<StaticEntry> list;
  list.AppendEntry(reinterpret_cast<HWND>(1));
  StaticEntry& first = list[1];
  for (int i = 0; i < 100; ++i) list.AppendEntry(reinterpret_cast<HWND>(i + 2));
  first.addedWidth = 12;
  EXPECT_EQ(list[1].addedWidth, 12);
}

TEST(StyleRecords, NewRecordIsEmptyButEachFamilyHasItsBlankEntry) {
  StyleRecord record;
  EXPECT_EQ(record.captionButtons.Count(), 0);
  EXPECT_EQ(record.buttons.Count(), 1);
  EXPECT_EQ(record.statics.Count(), 1);
  EXPECT_EQ(record.containers.Count(), 1);
  EXPECT_EQ(record.frameDC, nullptr);
  EXPECT_EQ(record.hotIndex + record.pointerIndex + record.hotKind, 0);
  EXPECT_FALSE(record.closeHot);
}

TEST(StyleRecords, RemovingTheFirstOfTwoRenumbersTheSecondAndItsControls) {
  ASSERT_EQ(StyleRecordList.Count(), 0);
  HWND first = CreateDialogClassWindow("first", 100, 100, 200, 120);
  HWND second = CreateDialogClassWindow("second", 350, 100, 200, 120);
  RouteDialog(first);
  RouteDialog(second);
  ASSERT_EQ(FindStyleRecord(first), 1);
  ASSERT_EQ(FindStyleRecord(second), 2);
  EXPECT_EQ(ReadProperty(second, EntryIndexProperty), 2);

  HWND button = AddChild(second, "BUTTON", "OK");
  HWND label = AddChild(second, "Static", "text");
  HWND toolbar = AddChild(second, "Static", "toolbar stand-in");
  EXPECT_EQ(RegisterInFamily(2, &StyleRecord::buttons, button), 1);
  EXPECT_EQ(RegisterInFamily(2, &StyleRecord::statics, label), 1);
  StyleRecordList[2].toolbars.AppendEntry(toolbar);
  WriteProperty(toolbar, ToolbarStyleIndexProperty, 2);
  EXPECT_EQ(FindFamilyEntry(2, label, &StyleRecord::statics), 1);
  EXPECT_EQ(FindFamilyEntry(2, label, &StyleRecord::buttons), 0);
  EXPECT_EQ(FindFamilyEntry(7, label, &StyleRecord::statics), 0);
  EXPECT_EQ(OwnerStyleIndex(label), 2);
  EXPECT_EQ(ControlEntry(button, &StyleRecord::buttons), &StyleRecordList[2].buttons[1]);
  EXPECT_EQ(SendMessageA(button, WM_APP, 0, 0), 1) << "forwarding reaches the old procedure";

  DestroyWindow(first);
  EXPECT_EQ(StyleRecordList.Count(), 1);
  EXPECT_EQ(FindStyleRecord(second), 1);
  EXPECT_EQ(ReadProperty(second, EntryIndexProperty), 1);
  EXPECT_EQ(ReadProperty(button, StyleIndexProperty), 1);
  EXPECT_EQ(ReadProperty(label, StyleIndexProperty), 1);
  EXPECT_EQ(ReadProperty(toolbar, ToolbarStyleIndexProperty), 1);
  EXPECT_EQ(ReadProperty(button, EntryIndexProperty), 1) << "entry positions stay";
  EXPECT_EQ(ControlEntry(label, &StyleRecord::statics), &StyleRecordList[1].statics[1]);

  DestroyWindow(second);
  EXPECT_EQ(StyleRecordList.Count(), 0);
  EXPECT_EQ(ControlEntry(button, &StyleRecord::buttons), nullptr)
      << "a stale property never reaches outside the list";
}

// The engine keeps its bookkeeping properties beside the window's own: every read must give
// what GetPropA gives, through renumbering, destruction and the end of the record.
TEST(StyleRecords, KeptBookkeepingReadsAsTheWindowHoldsIt) {
  HWND first = CreateDialogClassWindow("first", 100, 100, 200, 120);
  HWND second = CreateDialogClassWindow("second", 350, 100, 200, 120);
  RouteDialog(first);
  RouteDialog(second);
  HWND button = AddChild(second, "BUTTON", "OK");
  HWND gone = AddChild(second, "BUTTON", "gone");
  HWND toolbar = AddChild(second, "Static", "toolbar stand-in");
  RegisterInFamily(2, &StyleRecord::buttons, button);
  RegisterInFamily(2, &StyleRecord::buttons, gone);
  SubclassWindow(toolbar, CountingProc, ToolbarProcProperty);
  WriteProperty(toolbar, ToolbarStyleIndexProperty, 2);
  WriteProperty(button, TextColourProperty, RGB(1, 2, 3));
  SetPropA(button, TextColourProperty, reinterpret_cast<HANDLE>(RGB(4, 5, 6)));  // by others
  ReadProperty(toolbar, CoverTargetProperty);  // asked before the engine writes it
  WriteProperty(toolbar, CoverTargetProperty, reinterpret_cast<std::intptr_t>(button));
  WriteProperty(toolbar, CoverStateProperty, 7);
  RemoveProperty(toolbar, CoverStateProperty);
  DestroyWindow(gone);
  DestroyWindow(first);  // renumbers the second
  struct Case {
    HWND window;
    const char* name;
  } cases[] = {{second, EntryIndexProperty},
               {second, ProcProperty},
               {button, StyleIndexProperty},
               {button, EntryIndexProperty},
               {button, ProcProperty},
               {button, TextColourProperty},
               {gone, StyleIndexProperty},
               {gone, ProcProperty},
               {toolbar, ToolbarStyleIndexProperty},
               {toolbar, ToolbarProcProperty},
               {toolbar, CoverTargetProperty},
               {toolbar, CoverStateProperty},
               {toolbar, StyleIndexProperty}};
  for (const Case& c : cases) {
    EXPECT_EQ(ReadProperty(c.window, c.name),
              reinterpret_cast<std::intptr_t>(GetPropA(c.window, c.name)))
        << c.name << " of " << c.window;
  }
  EXPECT_EQ(ReadProperty(button, StyleIndexProperty), 1);
  EXPECT_EQ(ReadProperty(gone, StyleIndexProperty), 0) << "a destroyed window holds nothing";
  EXPECT_EQ(ReadProperty(button, TextColourProperty), static_cast<std::intptr_t>(RGB(4, 5, 6)));
  DestroyWindow(second);
  EXPECT_EQ(KeptBookkeepingCount(), 0) << "the windows of a closed box are forgotten";
}

// Controls painted whole answer the paint messages alike; a move and a system-drawn border go
// on to the system, the rest never reach it.
TEST(SelfPainting, PaintMessagesAreAnsweredAsTheControlPaintsThem) {
  HWND dialog = CreateDialogClassWindow("paint messages", 100, 100, 200, 120);
  HWND control = AddChild(dialog, "Static", "");
  HDC memory = CreateCompatibleDC(nullptr);
  auto dc = reinterpret_cast<WPARAM>(memory);
  struct Case {
    UINT message;
    WPARAM wParam;
    NonClientArea nonClient;
    bool answered;
    LRESULT result;
    int paints;
  } cases[] = {
      {WM_MOVE, 0, NonClientArea::Painted, false, 0, 1},
      {WM_PAINT, 0, NonClientArea::System, true, 0, 1},
      {WM_ERASEBKGND, dc, NonClientArea::System, true, 1, 0},
      {WM_NCPAINT, 1, NonClientArea::Painted, true, 1, 1},
      {WM_NCPAINT, 1, NonClientArea::System, false, 0, 0},
      {WM_SETTEXT, 0, NonClientArea::Painted, false, 0, 0},
      {WM_PRINTCLIENT, dc, NonClientArea::Painted, true, 0, 1},
      {WM_PRINTCLIENT, dc, NonClientArea::System, true, 0, 1},
  };
  for (const Case& c : cases) {
    int paints = 0;
    LRESULT result = 0;
    bool answered = AnswerPaintMessage(
        control, c.message, c.wParam, 0, c.nonClient, [&](HDC = nullptr) { ++paints; }, result);
    EXPECT_EQ(answered, c.answered) << "message " << c.message;
    EXPECT_EQ(result, c.result) << "message " << c.message;
    EXPECT_EQ(paints, c.paints) << "message " << c.message;
  }
  EXPECT_EQ(GetBkMode(memory), TRANSPARENT) << "the background is left to the look";
  DeleteDC(memory);
  DestroyWindow(dialog);
}

TEST(SelfPainting, AControlFindsItsEntryOnlyWhileItIsThatEntrysWindow) {
  HWND dialog = CreateDialogClassWindow("entries", 100, 100, 200, 120);
  RouteDialog(dialog);
  int styleIndex = FindStyleRecord(dialog);
  HWND bar = AddChild(dialog, "Static", "bar");
  HWND stranger = AddChild(dialog, "Static", "stranger");
  int entry = RegisterInFamily(styleIndex, &StyleRecord::trackBars, bar);
  WriteProperty(stranger, StyleIndexProperty, styleIndex);
  WriteProperty(stranger, EntryIndexProperty, entry);  // points at the bar's entry
  auto found = StyledControlOf(bar, &StyleRecord::trackBars);
  EXPECT_EQ(found.record, &StyleRecordList[styleIndex]);
  EXPECT_EQ(found.entry, &StyleRecordList[styleIndex].trackBars[entry]);
  EXPECT_EQ(found.place.position, entry);
  EXPECT_EQ(StyledControlOf(stranger, &StyleRecord::trackBars).entry, nullptr);
  EXPECT_EQ(StyledControlOf(bar, &StyleRecord::headers).entry, nullptr) << "another family";
  DestroyWindow(dialog);
  EXPECT_EQ(StyledControlOf(bar, &StyleRecord::trackBars).entry, nullptr) << "the box is gone";
}

TEST(StyleRecords, RemovalPutsTheOldProcedureBackAndUnknownWindowsAreIgnored) {
  HWND dialog = CreateDialogClassWindow("restore", 100, 100, 200, 120);
  auto original = GetWindowLongPtrA(dialog, GWLP_WNDPROC);
  RouteDialog(dialog);
  EXPECT_NE(GetWindowLongPtrA(dialog, GWLP_WNDPROC), original);
  RemoveStyleRecord(reinterpret_cast<HWND>(0x1234));
  EXPECT_EQ(StyleRecordList.Count(), 1);
  RemoveStyleRecord(dialog);
  EXPECT_EQ(StyleRecordList.Count(), 0);
  EXPECT_EQ(GetWindowLongPtrA(dialog, GWLP_WNDPROC), original);
  DestroyWindow(dialog);
}

TEST(StyleRecords, EditBackgroundsAreDeletedWhenTheWindowGoes) {
  HWND dialog = CreateDialogClassWindow("edits", 100, 100, 200, 120);
  RouteDialog(dialog);
  HWND edit = AddChild(dialog, "Edit", "");
  RegisterInFamily(1, &StyleRecord::edits, edit);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  HBRUSH brush = CreatePatternBrush(bitmap);
  SetPropA(edit, BackgroundBitmapProperty, bitmap);
  SetPropA(edit, BackgroundBrushProperty, brush);
  DestroyWindow(dialog);
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_EQ(GetObjectType(brush), 0u);
}

TEST(StyleRecords, HoverSlotRepaintsOnlyWhenItChangesOwner) {
  HWND dialog = CreateDialogClassWindow("hover", 100, 100, 200, 120);
  RouteDialog(dialog);
  StyleRecord& record = StyleRecordList[1];
  int repaints = 0;
  auto repaint = [&] { ++repaints; };
  EXPECT_TRUE(TrackHover(dialog, record, 2, HotButtons, repaint));
  EXPECT_FALSE(TrackHover(dialog, record, 2, HotButtons, repaint));
  EXPECT_EQ(repaints, 1);
  EXPECT_TRUE(TrackHover(dialog, record, 2, HotEdits, repaint)) << "another family, same index";
  EXPECT_TRUE(TrackHover(dialog, record, 2, HotButtons, repaint));
  EXPECT_TRUE(TrackHover(dialog, record, 3, HotButtons, repaint));
  EXPECT_EQ(repaints, 4);
  EXPECT_EQ(record.hotIndex, 3);
  EXPECT_EQ(record.pointerIndex, 3);
  DestroyWindow(dialog);
}

TEST(MemoryDcs, RegisteringTwiceUpdatesAndUnknownDcsAreNotReleased) {
  int before = MemoryDcRegistry.Count();
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP first = CreateCompatibleBitmap(dc, 4, 4);
  HBITMAP second = CreateCompatibleBitmap(dc, 4, 4);
  RegisterMemoryDc(dc, first, nullptr);
  HGDIOBJ previous = SelectObject(dc, second);
  RegisterMemoryDc(dc, second, previous);
  EXPECT_EQ(MemoryDcRegistry.Count(), before + 1);
  EXPECT_EQ(MemoryDcRegistry[before + 1].bitmap, second);
  EXPECT_TRUE(ReleaseCanvas(dc));
  EXPECT_EQ(MemoryDcRegistry.Count(), before);
  EXPECT_EQ(GetObjectType(second), 0u) << "the selected bitmap was deleted";
  EXPECT_FALSE(ReleaseCanvas(dc));
  EXPECT_FALSE(ReleaseCanvas(nullptr));
  DeleteObject(first);
}

TEST(Canvas, ControlWithoutStyledAncestorGetsNoCanvasAndLeavesNothing) {
  HWND plain = CreateWindowExA(0, "Static", "plain", WS_POPUP | WS_VISIBLE, 10, 10, 80, 30, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND child = AddChild(plain, "BUTTON", "child");
  RECT rect{0, 0, 60, 20};
  int freeBefore = CountFreeGdiSlots();
  for (int i = 0; i < 50; ++i) EXPECT_EQ(BackgroundCanvas(child, rect), nullptr);
  EXPECT_EQ(MemoryDcRegistry.Count(), 0);
  EXPECT_GE(CountFreeGdiSlots(), freeBefore) << "no DC or bitmap may be left behind";
  DestroyWindow(plain);
}

TEST(Canvas, AWindowOwnedByAStyledOneIsNotInsideIt) {
  HWND dialog = CreateDialogClassWindow("owner", 100, 100, 200, 120);
  RouteDialog(dialog);
  PaintFrame(dialog);
  HWND popup = CreateWindowExA(0, "Static", "owned", WS_POPUP | WS_VISIBLE, 10, 10, 80, 30, dialog,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND child = AddChild(popup, "BUTTON", "child");
  EXPECT_EQ(OwnerStyleIndex(child), 0);
  EXPECT_EQ(OwnerStyleIndex(popup), 0);
  EXPECT_EQ(BackgroundCanvas(child, RECT{0, 0, 10, 10}), nullptr);
  EXPECT_EQ(OwnerStyleIndex(dialog), 0) << "a styled window is not inside itself";
  DestroyWindow(popup);
  DestroyWindow(dialog);
}

TEST(Canvas, HoldsTheFramePixelsBehindTheControl) {
  HWND dialog = CreateDialogClassWindow("canvas", 100, 100, 220, 140);
  RouteDialog(dialog);
  HWND child = AddChild(dialog, "BUTTON", "child");
  StyleRecord& record = StyleRecordList[1];
  PaintFrame(dialog);
  ASSERT_NE(record.frameDC, nullptr);
  // A marker in the frame bitmap, where the child's client pixel (3, 4) lies.
  RECT place = RectInOwner(child);
  EXPECT_EQ(place.right - place.left, 60);
  SetPixel(record.frameDC, place.left + 3, place.top + 4, RGB(10, 200, 30));
  {
    CanvasDc canvas(child, RECT{0, 0, 60, 20});
    ASSERT_TRUE(canvas);
    EXPECT_EQ(GetPixel(canvas.Dc(), 3, 4), RGB(10, 200, 30));
    EXPECT_EQ(MemoryDcRegistry.Count(), 1);
  }
  EXPECT_EQ(MemoryDcRegistry.Count(), 0);
  RECT self = RectInOwner(dialog);
  EXPECT_EQ(self.right - self.left, 0) << "a styled window has no owner above it";
  HDC own = BackgroundCanvas(dialog, RECT{0, 0, 10, 10});
  EXPECT_NE(own, nullptr) << "a styled window is its own owner";
  EXPECT_TRUE(ReleaseCanvas(own));
  DestroyWindow(dialog);
}

// The points of a rounded-rectangle path, read through the flat interface.
std::vector<Gdiplus::PointF> RoundedRectPoints(int corner) {
  GraphicsPath path;
  path.Create();
  AddRoundedRect(path, 10, 20, 200, 150, corner);
  auto* native = reinterpret_cast<Gdiplus::GpPath*>(path.handle);
  INT count = 0;
  Gdiplus::DllExports::GdipGetPointCount(native, &count);
  std::vector<Gdiplus::PointF> points(static_cast<size_t>(count));
  if (count > 0) Gdiplus::DllExports::GdipGetPathPoints(native, points.data(), count);
  return points;
}

bool SamePoints(const std::vector<Gdiplus::PointF>& a, const std::vector<Gdiplus::PointF>& b) {
  if (a.size() != b.size() || a.empty()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].X != b[i].X || a[i].Y != b[i].Y) return false;
  }
  return true;
}

TEST(Shapes, RoundedRectClampsItsCornerSize) {
  EXPECT_TRUE(SamePoints(RoundedRectPoints(0), RoundedRectPoints(1)));
  EXPECT_TRUE(SamePoints(RoundedRectPoints(500), RoundedRectPoints(100)));
  EXPECT_FALSE(SamePoints(RoundedRectPoints(5), RoundedRectPoints(100)));
  // The top-right arc starts at (x + w - e, y + e/2) sweeping from 270 degrees: its first
  // point is the top edge's midpoint of the arc box, (x + w - e/2, y).
  std::vector<Gdiplus::PointF> points = RoundedRectPoints(100);
  ASSERT_FALSE(points.empty());
  EXPECT_NEAR(points.front().X, 10 + 200 - 50, 0.01);
  EXPECT_NEAR(points.front().Y, 20, 0.01);
}

TEST(Shapes, TabShapeIsOpenAtTheBottom) {
  GraphicsPath path;
  path.Create();
  AddTabShape(path, 0, 0, 40, 20, 6);
  auto* native = reinterpret_cast<Gdiplus::GpPath*>(path.handle);
  INT count = 0;
  Gdiplus::DllExports::GdipGetPointCount(native, &count);
  ASSERT_GT(count, 2);
  std::vector<Gdiplus::PointF> points(static_cast<size_t>(count));
  std::vector<BYTE> types(static_cast<size_t>(count));
  Gdiplus::DllExports::GdipGetPathPoints(native, points.data(), count);
  Gdiplus::DllExports::GdipGetPathTypes(native, types.data(), count);
  EXPECT_EQ(points.front().X, 0);
  EXPECT_EQ(points.front().Y, 20);
  EXPECT_EQ(points.back().X, 40);
  EXPECT_EQ(points.back().Y, 20);
  EXPECT_EQ(types.back() & Gdiplus::PathPointTypeCloseSubpath, 0);
}

TEST(Colours, ToArgbTakesAlphaOnlyWhenAsked) {
  EXPECT_EQ(ToArgb(0x00DDCA22), 0xFF22CADDu);
  EXPECT_EQ(ToArgb(0x00DDCA22, 0, false), 0xFF22CADDu);
  EXPECT_EQ(ToArgb(0x00DDCA22, 60, true), 0x3C22CADDu);
  EXPECT_EQ(ToArgb(0x000000FF, 200, true), 0xC8FF0000u);
}

TEST(Helpers, MessageHalvesAndStyleTests) {
  EXPECT_EQ(LowHalf(0xFFFE0010u), 0x10u);
  EXPECT_EQ(HighHalf(0xFFFE0010u), 0xFFFEu);
  EXPECT_EQ(SignedHighHalf(0xFFFE0010u), -2);
  HWND window = CreateWindowExA(WS_EX_TRANSPARENT, "Static", "", WS_POPUP | WS_VSCROLL, 0, 0, 10,
                                10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  EXPECT_TRUE(HasVerticalScrollBar(window));
  EXPECT_FALSE(HasHorizontalScrollBar(window));
  EXPECT_FALSE(HasVisibleStyle(window));
  EXPECT_TRUE(IsMouseTransparent(window));
  EXPECT_EQ(ClassNameOf(window), "Static");
  DestroyWindow(window);
}

TEST(Fonts, ControlFontIsReadAndLeftWithTheControl) {
  HWND window = CreateWindowExA(0, "Static", "x", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  HFONT font =
      CreateFontA(-16, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ControlFont read = ReadControlFont(window);
  EXPECT_FALSE(read.fontName.empty());
  EXPECT_EQ(read.fontSize, 16);
  EXPECT_EQ(read.fontStyle & 3, 3) << "bold and italic";
  EXPECT_NE(GetObjectType(font), 0u) << "the control's font is not deleted";
  DestroyWindow(window);
  DeleteObject(font);
}

TEST(ExitCleanUp, FreesRemainingRecordsAndCanvases) {
  HWND dialog = CreateDialogClassWindow("left over", 100, 100, 200, 120);
  RouteDialog(dialog);
  PaintFrame(dialog);
  HDC frame = StyleRecordList[1].frameDC;
  HDC canvas = CreateMemoryCanvas(10, 10);
  ReleaseAllStyleRecords();
  EXPECT_EQ(StyleRecordList.Count(), 0);
  EXPECT_EQ(MemoryDcRegistry.Count(), 0);
  EXPECT_EQ(GetObjectType(frame), 0u);
  EXPECT_EQ(GetObjectType(canvas), 0u);
  SetWindowLongPtrA(dialog, GWLP_WNDPROC, ReadProperty(dialog, ProcProperty));
  DestroyWindow(dialog);
}

// Disabled text on the grounds it meets: the frame's dark grey, a white panel, a light plate
// and black. The grey stays as near the system's as 4.5:1 allows, lighter only on a dark ground.
TEST(PaintHelpers, ReadableGreyIsTheNearestGreyThatReadsOnItsGround) {
  EXPECT_NEAR(ContrastRatio(RGB(0, 0, 0), RGB(255, 255, 255)), 21.0, 0.01);
  const struct {
    COLORREF ground;
    bool lighter;
  } cases[] = {{RGB(100, 100, 100), true},
               {RGB(255, 255, 255), false},
               {RGB(240, 240, 240), false},
               {RGB(0, 0, 0), false}};
  for (const auto& c : cases) {
    int level = GetRValue(ReadableGrey(RGB(128, 128, 128), c.ground));
    EXPECT_GE(ContrastRatio(RGB(level, level, level), c.ground), 4.5) << level;
    EXPECT_EQ(level > 128, c.lighter) << level;
    int nearer = level + (level > 128 ? -1 : 1);  // one step nearer no longer reads
    if (level != 128) {
      EXPECT_LT(ContrastRatio(RGB(nearer, nearer, nearer), c.ground), 4.5);
    }
  }
}

}  // namespace
