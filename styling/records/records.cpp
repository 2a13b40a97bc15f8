#include "styling/records/records.h"

#include <cstring>
#include <unordered_map>

#include "styling/records/canvas.h"
#include "styling/records/child_windows.h"

bool StylingEnabled = true;
COLORREF AccentColour = RGB(34, 202, 221);
bool TrackBarOption = true;
bool ListOption = true;
HICON ApplicationIcon = nullptr;

OneBasedList<StyleRecord> StyleRecordList;
OneBasedList<MemoryDcEntry> MemoryDcRegistry;

namespace {

// What a record owns outside its own memory.
void ReleaseRecordObjects(StyleRecord& record) {
  ReleaseEditBackgrounds(record);
  ReleaseFrameDc(record);
}

// After a removal every later record has moved down one place: its window and controls learn
// their new styleIndex.
void RenumberFrom(int first) {
  for (int index = first; index <= StyleRecordList.Count(); ++index) {
    StyleRecord& record = StyleRecordList[index];
    WriteProperty(record.window, EntryIndexProperty, index);
    ForEachFamily(record, [index](auto& family, const char* property) {
      for (int entry = 1; entry <= family.Count(); ++entry) {
        if (HWND control = family[entry].window) WriteProperty(control, property, index);
      }
    });
  }
}

// The engine's bookkeeping properties say where a window sits in the engine's lists: its
// record, its entry and the procedure it had, and a scroll-bar cover's control and state.
// Every message of a styled control reads them, every paint asks them of the windows around it,
// and under Wine each GetPropA is a round trip to the server, so they are also kept here as they
// are written, and as the window answered when asked once: a window without one (most of them)
// is asked once only. Only the engine writes them, and only through WriteProperty and
// RemoveProperty. Colours, brushes and bitmaps, which others may set, are read from the window
// every time.
constexpr const char* BookkeepingNames[] = {
    ProcProperty,         EntryIndexProperty,        StyleIndexProperty,
    ToolbarEntryProperty, ToolbarStyleIndexProperty, ToolbarProcProperty,
    CoverTargetProperty,  CoverStateProperty};
constexpr int BookkeepingCount = sizeof BookkeepingNames / sizeof BookkeepingNames[0];

struct Bookkeeping {
  std::intptr_t values[BookkeepingCount] = {};
  unsigned held = 0;  // bit i: values[i] was written
};
std::unordered_map<HWND, Bookkeeping> bookkeeping;  // user-interface thread only

int BookkeepingSlot(const char* name) {
  for (int slot = 0; slot < BookkeepingCount; ++slot) {
    if (name == BookkeepingNames[slot] || std::strcmp(name, BookkeepingNames[slot]) == 0) {
      return slot;
    }
  }
  return -1;
}

// nullptr when the value must be read from the window: not a bookkeeping name, never written
// here, or the window is gone (its properties went with it).
const std::intptr_t* KeptBookkeeping(HWND window, const char* name) {
  auto found = bookkeeping.find(window);
  if (found == bookkeeping.end()) return nullptr;
  int slot = BookkeepingSlot(name);
  if (slot < 0 || !(found->second.held & (1u << slot)) || !IsWindow(window)) return nullptr;
  return &found->second.values[slot];
}

void KeepBookkeeping(HWND window, const char* name, std::intptr_t value) {
  int slot = BookkeepingSlot(name);
  if (slot < 0) return;
  Bookkeeping& kept = bookkeeping[window];
  kept.values[slot] = value;
  kept.held |= 1u << slot;
}

// When a styled window goes: its own entry and those of every window already destroyed (its
// controls by then), so that the table holds only living windows.
void ForgetBookkeeping(HWND closing) {
  std::erase_if(bookkeeping, [closing](const auto& kept) {
    return kept.first == closing || !IsWindow(kept.first);
  });
}

}  // namespace

void DeleteObjectProperty(HWND window, const char* name) {
  if (HGDIOBJ object = ReadHandleProperty<HGDIOBJ>(window, name)) {
    DeleteObject(object);
    RemovePropA(window, name);
  }
}

namespace {

void ReleaseEditBackground(HWND edit) {
  DeleteObjectProperty(edit, BackgroundBitmapProperty);
  DeleteObjectProperty(edit, BackgroundBrushProperty);
}

}  // namespace

void ForgetEntriesWithin(StyleRecord& record, HWND window) {
  // The edits' background objects live in their properties, gone with the windows.
  for (int entry = 1; entry <= record.edits.Count(); ++entry) {
    HWND edit = record.edits[entry].window;
    if (edit == window || IsChild(window, edit)) ReleaseEditBackground(edit);
  }
  ForEachFamily(record, [window](auto& family, const char*) {
    for (int entry = 1; entry <= family.Count(); ++entry) {
      HWND control = family[entry].window;
      if (control && (control == window || IsChild(window, control))) family.Blank(entry);
    }
  });
  record.hotIndex = record.pointerIndex = 0;
}

void ReleaseEditBackgrounds(StyleRecord& record) {
  for (int entry = 1; entry <= record.edits.Count(); ++entry) {
    if (HWND edit = record.edits[entry].window) ReleaseEditBackground(edit);
  }
}

void CreateStyleLists() {
  bookkeeping.clear();
  StyleRecordList.Clear();
  MemoryDcRegistry.Clear();
}

void ReleaseAllStyleRecords() {
  for (int index = 1; index <= StyleRecordList.Count(); ++index) {
    ReleaseRecordObjects(StyleRecordList[index]);
  }
  StyleRecordList.Clear();
  bookkeeping.clear();
  while (MemoryDcRegistry.Count() > 0) ReleaseCanvas(MemoryDcRegistry[1].dc);
}

void RegisterMemoryDc(HDC dc, HBITMAP bitmap, HGDIOBJ previous) {
  int listed = MemoryDcRegistry.FindFirst([dc](const MemoryDcEntry& e) { return e.dc == dc; });
  if (listed) {
    MemoryDcRegistry[listed].bitmap = bitmap;
    MemoryDcRegistry[listed].previous = previous;
  } else {
    MemoryDcRegistry.Append({dc, bitmap, previous});
  }
}

int FindStyleRecord(HWND window) {
  if (!window) return 0;
  return StyleRecordList.FindFirst([window](const StyleRecord& r) { return r.window == window; });
}

int OwnerStyleIndex(HWND window) {
  HWND root = GetAncestor(window, GA_ROOT);
  HWND step = window;
  // Up to the top-level ancestor and no further: GetParent of a top-level window is its
  // owner, which does not contain it. The depth bound only guards against an endless chain.
  for (int depth = 0; depth < 256 && step && step != root; ++depth) {
    step = GetParent(step);
    if (int index = FindStyleRecord(step)) return index;
  }
  return 0;
}

StyleRecord* RecordAt(int styleIndex) { return StyleRecordList.At(styleIndex); }

void RemoveStyleRecord(HWND window) {
  int index = FindStyleRecord(window);
  if (!index) return;
  ReleaseRecordObjects(StyleRecordList[index]);
  if (auto previous = ReadHandleProperty<WNDPROC>(window, ProcProperty)) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  }
  StyleRecordList.RemoveAt(index);
  RenumberFrom(index);
  ForgetBookkeeping(window);
}

std::intptr_t ReadProperty(HWND window, const char* name) {
  if (const std::intptr_t* kept = KeptBookkeeping(window, name)) return *kept;
  auto value = reinterpret_cast<std::intptr_t>(GetPropA(window, name));
  if (IsWindow(window)) KeepBookkeeping(window, name, value);
  return value;
}

void WriteProperty(HWND window, const char* name, std::intptr_t value) {
  if (!SetPropA(window, name, reinterpret_cast<HANDLE>(value))) return;
  KeepBookkeeping(window, name, value);
}

void RemoveProperty(HWND window, const char* name) {
  RemovePropA(window, name);
  if (IsWindow(window)) KeepBookkeeping(window, name, 0);
}

int KeptBookkeepingCount() { return static_cast<int>(bookkeeping.size()); }

WNDPROC SubclassWindow(HWND window, WNDPROC procedure, const char* procProperty) {
  auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
  WriteProperty(window, procProperty, reinterpret_cast<std::intptr_t>(previous));
  return previous;
}

WNDPROC SubclassControl(HWND control, int styleIndex, int entry, WNDPROC procedure) {
  WriteProperty(control, EntryIndexProperty, entry);
  WriteProperty(control, StyleIndexProperty, styleIndex);
  return SubclassWindow(control, procedure);
}

LRESULT ForwardMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                       const char* procProperty) {
  auto previous = ReadHandleProperty<WNDPROC>(window, procProperty);
  LRESULT result = previous ? CallWindowProcA(previous, window, message, wParam, lParam)
                            : DefWindowProcA(window, message, wParam, lParam);
  // The window's last message: its handle may be given to a new window, which must not read
  // this one's entry and procedure from the table.
  if (message == WM_NCDESTROY) bookkeeping.erase(window);
  if (ChangesChildOrder(message, wParam, lParam)) NoteChildrenChanged();
  return result;
}

StyleRecord* RecordOfControl(HWND control) {
  return RecordAt(static_cast<int>(ReadProperty(control, StyleIndexProperty)));
}

DpiScale ScaleOfControl(HWND control) {
  if (const StyleRecord* record = RecordOfControl(control)) return record->scale;
  return ScaleOf(control);
}

void RequestMouseLeave(HWND control) {
  TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, control, 0};
  TrackMouseEvent(&track);
}
