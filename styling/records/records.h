#pragma once
// The styling engine's shared state and the patterns every control family uses.
//
// How a family is built on this header (push buttons as the example):
//   installer:  int entry = record.buttons.AppendEntry(child);           // blank-entry rule
//               record.buttons[entry].priorProc =
//                   SubclassControl(child, styleIndex, entry, ButtonWindowProc);
//   procedure:  ButtonRecord* button = ControlEntry(window, &StyleRecord::buttons);
//               StyleRecord* record = RecordOfControl(window);
//               ... on WM_MOUSEMOVE: TrackHover(window, *record, entry, HotButtons, repaint);
//               ... on WM_MOUSELEAVE: record->hotIndex = 0; repaint without the hover look;
//               ... everything not consumed: return ForwardMessage(window, message, w, l);
//               A control painted whole (track bar, header...) begins with StyledControlOf and
//               AnswerPaintMessage (styling/records/self_painting.h) and paints its look again
//               with ForwardThenPaint after messages on which the system draws it.
//   painter:    LookKey key = LookKey().Add("push button")           // the family's name first
//                   .Add(BackgroundKey(window, clientRect))          // the frame behind it
//                   .Add(state bits).Add(clientRect).Add(text).Add(font)...;  // every input
//                   // the keyboard cues too: the focus look and the caption's hotkey prefix
//               if (DrawKeptLook(button->looks, key, targetDc)) return;  // unchanged: one copy
//               CanvasDc canvas(window, clientRect);  // what lies behind the control
//               ... draw on canvas.Dc();
//               KeepLook(button->looks, key, canvas.Dc(), width, height);
//               ... BitBlt the canvas once to the window; released at scope end.
//   entry:      each family's entry holds `LookCache looks;`. A key that misses an input shows a
//               stale look; an input that cannot be keyed cheaply (a large bitmap's pixels)
//               means that look is drawn every time. An image list is keyed by ImageListKey
//               (canvas.h), which hashes its pixels: an icon replaced in place shows. Code
//               that draws into a record's frameDC outside PaintFrame clears its frameKey and
//               bumps its frameVersion.
// Properties go through ReadProperty/WriteProperty/RemoveProperty: the bookkeeping ones are then
// read from the engine's own table instead of a server round trip per message under Wine, even
// on windows that do not have them. A paint that asks several times about the windows around it
// opens a OnePaintScope (child_windows.h), so the server is asked once.
// The canvas, the kept looks, the font reader and the shape helpers are in
// styling/records/canvas.h, styling/records/look_cache.h and styling/records/paint_helpers.h;
// the keyboard cues (focus looks, access-key underlines) and the focus outline in
// styling/records/keyboard_cues.h; every size in pixels at 96 DPI is scaled to the window's DPI
// through styling/records/dpi_scale.h: a painter takes `DpiScale scale = ScaleOfControl(window)`
// (the record keeps the DPI, read when it is made and on WM_DPICHANGED; BackgroundKey puts it in
// every look's key) and writes scale(5), scale.Of(1.5f), scale.Line() for pens. The PNG marks
// are drawn as shapes at their scaled size at any other DPI (styling/records/scaled_marks.h).
// A window's children (siblings, panels, what to clip) come from ChildrenOf
// (styling/records/child_windows.h), which keeps them rather than asking the server once per
// child at every paint.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "drawing/drawing_object.h"
#include "resources/byte_set.h"
#include "styling/buttons/button_record.h"
#include "styling/combos/combo_record.h"
#include "styling/edits/edit_record.h"
#include "styling/headers/header_entry.h"
#include "styling/lists/list_entry.h"
#include "styling/records/dpi_scale.h"
#include "styling/records/family_list.h"
#include "styling/records/look_cache.h"
#include "styling/scrollbars/scrollbar_entry.h"
#include "styling/statics/static_entry.h"
#include "styling/tabs/tab_entry.h"
#include "styling/toolbars/toolbar_entry.h"
#include "styling/trackbars/trackbar_records.h"
#include "styling/updowns/updown_entry.h"

// Engine globals, set once at start-up.
extern bool StylingEnabled;    // every control installer does nothing while false
extern COLORREF AccentColour;  // hover and pressed tint of the painters
extern bool TrackBarOption;
extern bool ListOption;
extern HICON ApplicationIcon;  // drawn in the caption of styled windows

// Window properties. "Hw_lbID" is a styled window's styleIndex, or a styled control's entry
// position in its family list; "Hw_FuID" is a control's styleIndex.
inline constexpr char ProcProperty[] = "Hw_hProc";
inline constexpr char EntryIndexProperty[] = "Hw_lbID";
inline constexpr char StyleIndexProperty[] = "Hw_FuID";
inline constexpr char TextColourProperty[] = "Kj_Ztys";
inline constexpr char BackgroundBitmapProperty[] = "Kj_wtjb";
inline constexpr char BackgroundBrushProperty[] = "Kj_dxjb";
inline constexpr char ToolbarEntryProperty[] = "Kj_lbID";
inline constexpr char ToolbarStyleIndexProperty[] = "Kj_FuID";
inline constexpr char ToolbarProcProperty[] = "Kj_hProc";
inline constexpr char FramePreviousObjectProperty[] = "Ck_Ycjdx";
inline constexpr char FrameBitmapProperty[] = "Ck_wtjbdx";
// On a scroll-bar cover: the control whose bar it covers, and the cover's state.
inline constexpr char CoverTargetProperty[] = "Mngd_zct";
inline constexpr char CoverStateProperty[] = "Mngd_zt";

// Family codes of a style record's hotKind.
enum HotKind : int {
  HotButtons = 0,
  HotEdits = 1,
  HotTrackBars = 2,
  HotCombos = 3,
  HotLists = 4,
  HotUpDowns = 8,
  HotHeaders = 9,
};

// A button drawn in the caption band; the router adds one, the close button.
struct CaptionButton {
  int imageWidth = 0;
  int imageHeight = 0;
  ByteSet image;  // PNG
  ByteSet image2;
  ByteSet image3;
  int number = 0;
  std::string text;
  RectF bounds{};  // window coordinates, set by LayoutCaptionButtons
};

// The state of one styled top-level window. A new record is all 0 or empty but `window`,
// and each family list holds its blank entry.
struct StyleRecord {
  HWND window = nullptr;
  OneBasedList<CaptionButton> captionButtons;
  int captionButtonsLeft = 0;        // window width - 36
  int hotKind = HotButtons;          // family of the control last painted in the hover look
  HWND hotParent = nullptr;          // parent of the edit control last painted in the hover look
  FamilyList<ButtonRecord> buttons;  // push buttons, check boxes and radio buttons
  FamilyList<EditRecord> edits;
  FamilyList<ListEntry> lists;
  FamilyList<TrackBarRecord> trackBars;
  FamilyList<ProgressRecord> progressBars;
  FamilyList<ComboRecord> combos;
  FamilyList<UpDownEntry> upDowns;
  FamilyList<HeaderEntry> headers;
  FamilyList<ToolbarEntry> toolbars;
  FamilyList<StaticEntry> statics;
  HDC frameDC = nullptr;  // the whole window surface as last painted; 0 until the first paint
  int hotIndex = 0;       // entry of the control last painted in the hover look, 0 for none
  int pointerIndex = 0;   // entry of the control under the pointer
  FamilyList<ContainerEntry> containers;
  bool closeHot = false;  // the close button shows its hover look
  // Changes whenever the pixels of frameDC change: part of every kept control look's key, since
  // a control's look holds the frame behind it.
  int frameVersion = 0;
  // The inputs of the full paint that frameDC holds (size, caption, icon, caption buttons); empty
  // before the first paint and once a caption button has been drawn over it alone.
  LookKey frameKey;
  // The window's caption as last read: read again only when WM_SETTEXT changes it.
  std::optional<std::string> captionText;
  int controlBrushVersion = 0;  // the frameVersion of the brush handed out for colour messages
  // That brush, kept here as well as in the window's property: every colour message asks for it.
  HBRUSH controlBrush = nullptr;
  FamilyList<TabEntry> tabs;
  FamilyList<ScrollBarEntry> scrollBars;  // scroll bar controls
  // The window's DPI, read once when the record is made and again on WM_DPICHANGED: painters
  // scale their sizes by it without asking the system on every paint.
  DpiScale scale;
  bool fadeDecided = false;  // the first paint has started the fade-in or shown the window
};

// Calls visit(family, styleIndexProperty) for every family list of the record, containers
// included, with the name of the property in which its controls hold the record's styleIndex.
template <typename Visit>
void ForEachFamily(StyleRecord& record, Visit&& visit) {
  visit(record.buttons, StyleIndexProperty);
  visit(record.edits, StyleIndexProperty);
  visit(record.lists, StyleIndexProperty);
  visit(record.trackBars, StyleIndexProperty);
  visit(record.progressBars, StyleIndexProperty);
  visit(record.combos, StyleIndexProperty);
  visit(record.upDowns, StyleIndexProperty);
  visit(record.headers, StyleIndexProperty);
  visit(record.toolbars, ToolbarStyleIndexProperty);
  visit(record.statics, StyleIndexProperty);
  visit(record.tabs, StyleIndexProperty);
  visit(record.scrollBars, StyleIndexProperty);
  // Containers carry "Hw_FuID" too; their owner-drawn items are routed by it.
  visit(record.containers, StyleIndexProperty);
}

// One memory DC handed out by the engine: released by ReleaseCanvas.
struct MemoryDcEntry {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;  // what the DC held before the bitmap
};

// Position = styleIndex. Touched only by the user-interface thread.
extern OneBasedList<StyleRecord> StyleRecordList;
extern OneBasedList<MemoryDcEntry> MemoryDcRegistry;

// Start-up: empty style-record list and memory-DC registry.
void CreateStyleLists();
// Exit clean-up: frees every remaining style record and what it owns, and every memory DC
// still registered.
void ReleaseAllStyleRecords();

// Lists the DC or, when it is listed already, updates its bitmap and previous object.
void RegisterMemoryDc(HDC dc, HBITMAP bitmap, HGDIOBJ previous);

// The styleIndex of the record whose window this is, 0 when none (first match from 1).
int FindStyleRecord(HWND window);
// The styleIndex of the styled top-level window that contains the window (its ancestors up to
// and including its top-level one are looked up), 0 when none.
int OwnerStyleIndex(HWND window);
// nullptr outside the list.
StyleRecord* RecordAt(int styleIndex);

// Family look-ups: the entry position of the control in that family list of the record, 0
// when the record or the entry does not exist. `family` is e.g. &StyleRecord::buttons.
template <typename Entry>
int FindFamilyEntry(int styleIndex, HWND control, FamilyList<Entry> StyleRecord::*family) {
  StyleRecord* record = RecordAt(styleIndex);
  return record ? (record->*family).Find(control) : 0;
}

// Entry `position` of that family list of record `styleIndex` while it holds a window; nullptr
// when the record, the entry or its window is missing.
template <typename Entry>
Entry* FamilyEntryAt(int styleIndex, int position, FamilyList<Entry> StyleRecord::*family) {
  StyleRecord* record = RecordAt(styleIndex);
  Entry* entry = record ? (record->*family).At(position) : nullptr;
  return entry && entry->window ? entry : nullptr;
}

// Record removal when a styled window is destroyed: releases the edits' background objects
// and the frame DC, puts the window's "Hw_hProc" back as its procedure, removes the record and
// renumbers the later records' windows and controls. Nothing happens for an unknown window.
void RemoveStyleRecord(HWND window);

// When a window inside a styled one goes while that one stays (a property page removed): the
// entries of the window and of every window within it are blanked in every family, with what
// they kept, and the hover slot is given up. Run on its WM_DESTROY, while its children exist.
void ForgetEntriesWithin(StyleRecord& record, HWND window);

// Deletes the background bitmap and brush held in the properties of the record's edits. The
// frame runs it on the window's WM_DESTROY, while the edits still exist: by WM_NCDESTROY the
// children and their properties are gone. Record removal runs it again for what is left.
void ReleaseEditBackgrounds(StyleRecord& record);

// Deletes the GDI object held in the window's property and removes the property, so that it is
// deleted once whoever comes first; nothing happens when the property is absent.
void DeleteObjectProperty(HWND window, const char* name);

// Window properties hold integers and handles.
std::intptr_t ReadProperty(HWND window, const char* name);
void WriteProperty(HWND window, const char* name, std::intptr_t value);
void RemoveProperty(HWND window, const char* name);
template <typename Handle>
Handle ReadHandleProperty(HWND window, const char* name) {
  return reinterpret_cast<Handle>(ReadProperty(window, name));
}

// How many windows have their bookkeeping properties ("Hw_hProc", "Hw_lbID", "Hw_FuID", the
// toolbar's three and the scroll-bar covers' two) kept in the engine beside the window; reads of
// those come from there, whether the window has them or not.
int KeptBookkeepingCount();

// Replaces the window's procedure (SetWindowLongA, GWL_WNDPROC), stores the previous one in
// the property and returns it.
WNDPROC SubclassWindow(HWND window, WNDPROC procedure, const char* procProperty = ProcProperty);
// The property triple of a styled control: "Hw_lbID" = entry, "Hw_FuID" = styleIndex, then
// subclasses it with the procedure ("Hw_hProc" = previous). Returns the previous procedure for
// the entry's priorProc.
WNDPROC SubclassControl(HWND control, int styleIndex, int entry, WNDPROC procedure);
// Passes a message on to the procedure in the property (CallWindowProcA); a window without
// one gets DefWindowProcA. After WM_NCDESTROY the window's bookkeeping is forgotten.
LRESULT ForwardMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                       const char* procProperty = ProcProperty);

// The record of a styled control ("Hw_FuID"), nullptr when none.
StyleRecord* RecordOfControl(HWND control);
// The scale a control is drawn at: its record's, or the control's own DPI outside any record.
DpiScale ScaleOfControl(HWND control);
// The control's own entry: entry "Hw_lbID" of that family list of record "Hw_FuID"; nullptr
// when either is missing or the entry holds another window (a stale or absent property never
// reaches outside a list, nor another control's entry). Callers need check nothing more.
template <typename Entry>
Entry* ControlEntry(HWND control, FamilyList<Entry> StyleRecord::*family) {
  StyleRecord* record = RecordOfControl(control);
  if (!record) return nullptr;
  Entry* entry = (record->*family).At(static_cast<int>(ReadProperty(control, EntryIndexProperty)));
  return entry && entry->window == control ? entry : nullptr;
}

// WM_SETFONT of a control whose caption the engine draws (an entry with a CaptionText
// `caption`): the system takes the font without redrawing, the caption takes it (`fallback`: see
// CaptionText::SetFont), and only then is the control redrawn when the message asks. Forwarded
// as it came, the system's static would repaint inside the call (Wine's with RDW_UPDATENOW), in
// the old font, and nothing would paint again.
template <typename Entry>
LRESULT SetCaptionFont(HWND control, FamilyList<Entry> StyleRecord::*family, WPARAM font,
                       LPARAM redraw, HWND fallback = nullptr) {
  LRESULT result = ForwardMessage(control, WM_SETFONT, font, FALSE);
  if (Entry* entry = ControlEntry(control, family)) entry->caption.SetFont(control, fallback);
  if (LOWORD(redraw)) {
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  return result;
}

// Hover tracking on WM_MOUSEMOVE: asks for WM_MOUSELEAVE (TrackMouseEvent, TME_LEAVE), notes
// the entry as the one under the pointer and, only when the hover slot changes owner (another
// entry or another family), calls repaint() to draw the hover look before taking the slot.
// Returns whether it repainted. WM_MOUSELEAVE is the family's: hotIndex = 0 and a plain repaint.
void RequestMouseLeave(HWND control);
template <typename Repaint>
bool TrackHover(HWND control, StyleRecord& record, int entry, int hotKind, Repaint&& repaint) {
  RequestMouseLeave(control);
  record.pointerIndex = entry;
  if (record.hotIndex == record.pointerIndex && record.hotKind == hotKind) return false;
  repaint();
  record.hotIndex = record.pointerIndex;
  record.hotKind = hotKind;
  return true;
}
