#pragma once
// The engine's growable lists. Every list is 1-based: position 1 is the first element, a
// look-up answers a position or 0 for "none", and the first match wins. Elements are held by
// pointer, so a reference taken to one stays good while the list grows.

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

template <typename T>
class OneBasedList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  bool Contains(int position) const { return position >= 1 && position <= Count(); }

  // Access by a position outside the list is an error of the caller.
  T& operator[](int position) { return *items_[position - 1]; }
  const T& operator[](int position) const { return *items_[position - 1]; }
  // Checked access for positions read back from window properties: nullptr outside the list.
  T* At(int position) { return Contains(position) ? items_[position - 1].get() : nullptr; }

  // Appends a new element; returns its position.
  int Append(T item = T{}) {
    items_.push_back(std::make_unique<T>(std::move(item)));
    return Count();
  }
  // Removes one element; the positions of all later elements drop by one.
  void RemoveAt(int position) {
    if (Contains(position)) items_.erase(items_.begin() + (position - 1));
  }
  void Clear() { items_.clear(); }

  // Position of the first element that satisfies the test, 0 when none does.
  template <typename Test>
  int FindFirst(Test test) const {
    for (int position = 1; position <= Count(); ++position) {
      if (test(*items_[position - 1])) return position;
    }
    return 0;
  }

 private:
  std::vector<std::unique_ptr<T>> items_;
};

// The list of one control family inside a style record. Entries have a `window` field first.
// A new list holds one blank entry (window 0) that the first registration fills; every later
// registration fills the first blank entry or appends a zeroed one. Entries are never removed
// one by one (their positions are held by the controls): the entry of a window that is gone
// while its dialog stays (a property page removed) is blanked for the next registration.
template <typename Entry>
class FamilyList : public OneBasedList<Entry> {
 public:
  FamilyList() { OneBasedList<Entry>::Append(); }

  // The blank-entry rule: fills the first blank entry, else appends a zeroed one; stores the
  // window and returns the entry's position (the control's "Hw_lbID").
  int AppendEntry(HWND window) {
    int position = this->FindFirst([](const Entry& entry) { return entry.window == nullptr; });
    if (!position) position = this->Append();
    (*this)[position].window = window;
    return position;
  }

  // Blanks the entry (what it kept is freed); a later registration fills it.
  void Blank(int position) {
    if (this->Contains(position)) (*this)[position] = Entry{};
  }

  // First entry holding the window, 0 when none (never the blank entry).
  int Find(HWND window) const {
    if (!window) return 0;
    return this->FindFirst([window](const Entry& entry) { return entry.window == window; });
  }
};
