#pragma once
// The installers' common walk: every direct child of one window class that the family list
// does not hold yet gets an entry (blank-entry rule) and is handed to the family's own code.

#include <windows.h>

#include "styling/records/child_windows.h"
#include "styling/records/records.h"

// Calls visit(child) for every direct child of the parent with the class (compared as window
// classes are, case aside), in z-order.
template <typename Visit>
void ForEachChildOfClass(HWND parent, const char* className, Visit&& visit) {
  for (const KnownChild& child : ChildrenOf(parent)) {
    char name[256] = "";
    GetClassNameA(child.window, name, sizeof name);
    if (lstrcmpiA(name, className) == 0 && IsWindow(child.window)) visit(child.window);
  }
}

// Lists the control in the family unless it is there already, then calls
// install(entry, control, position). False when it was listed before.
template <typename Entry, typename Install>
bool ListControl(StyleRecord& record, FamilyList<Entry> StyleRecord::*family, HWND control,
                 Install&& install) {
  if ((record.*family).Find(control)) return false;
  int position = (record.*family).AppendEntry(control);
  install((record.*family)[position], control, position);
  return true;
}

// An installer's walk: visit(record, child) for every direct child of the parent with the
// class. Nothing happens while StylingEnabled is false or without a record.
template <typename Visit>
void VisitChildrenOfClass(int styleIndex, HWND parent, const char* className, Visit&& visit) {
  if (!StylingEnabled) return;
  StyleRecord* record = RecordAt(styleIndex);
  if (!record) return;
  ForEachChildOfClass(parent, className, [&](HWND child) { visit(*record, child); });
}

// The whole installer of a family whose controls are the parent's children of one class.
template <typename Entry, typename Install>
void InstallChildrenOfClass(int styleIndex, HWND parent, const char* className,
                            FamilyList<Entry> StyleRecord::*family, Install&& install) {
  VisitChildrenOfClass(styleIndex, parent, className, [&](StyleRecord& record, HWND child) {
    ListControl(record, family, child, install);
  });
}
