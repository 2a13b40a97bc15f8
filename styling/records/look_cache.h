#pragma once
// Finished looks kept per state, so that a repaint whose inputs have not changed is one copy.
//
// A painter describes everything its look depends on in a LookKey (state bits, size, text,
// font, values such as a position or range, and BackgroundKey of styling/records/canvas.h, which
// stands for the frame pixels behind the control). When the cache holds a look for that key the
// painter copies it and is done; otherwise it paints into its canvas as usual, keeps a copy and
// copies once. A key that misses an input shows a stale look: put every input in it.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What a look depends on, as bytes: two keys are equal exactly when every input is.
class LookKey {
 public:
  LookKey& Add(std::int64_t value);
  LookKey& Add(std::string_view text);
  LookKey& Add(const RECT& rect);
  LookKey& Add(const LookKey& inputs);  // every input of the other key
  bool Empty() const { return bytes_.empty(); }
  bool operator==(const LookKey&) const = default;

 private:
  std::string bytes_;
};

// A control's (or a frame's) finished looks, one per key, each a screen-compatible bitmap.
class LookCache {
 public:
  LookCache() = default;
  // A cache that keeps at most `capacity` looks (at least one).
  explicit LookCache(int capacity) : capacity_(capacity < 1 ? 1 : capacity) {}
  ~LookCache();
  LookCache(const LookCache&) = delete;
  LookCache& operator=(const LookCache&) = delete;
  LookCache(LookCache&& other) noexcept;
  LookCache& operator=(LookCache&& other) noexcept;

  // Copies the kept look for the key into target at (x, y); false when none is kept.
  bool Draw(const LookKey& key, HDC target, int x, int y) const;
  // Keeps a copy of width x height pixels of source (from 0, 0) under the key, replacing an
  // older look with the same key; the least recently kept look goes when the cache is full.
  void Keep(const LookKey& key, HDC source, int width, int height);
  // Frees every kept look.
  void Clear();
  int Count() const { return static_cast<int>(looks_.size()); }

  // Looks kept at most: enough for normal, hover, pressed, focused and disabled of one state.
  static constexpr int Capacity = 8;

 private:
  struct Look {
    LookKey key;
    HBITMAP bitmap = nullptr;
    int width = 0;
    int height = 0;
  };
  std::vector<Look> looks_;  // oldest first
  int capacity_ = Capacity;
};

// Looks that the controls of every window of the process share, behind the controls' own
// caches: keys built on BackgroundKey (styling/records/canvas.h) name the pixels behind a control
// by what its window's frame was painted from, so the same control in a box shown again finds
// its look here. Keys begin with the family's name, since families share this cache.
LookCache& SharedLooks();

// A painter's first step: copies the look kept for the key by the control's own cache or, failing
// that, by the shared looks into target at (0, 0). False when neither holds it: then paint and
// KeepLook.
bool DrawKeptLook(const LookCache& own, const LookKey& key, HDC target);
// Keeps width x height pixels of the painted canvas under the key in both caches.
void KeepLook(LookCache& own, const LookKey& key, HDC canvas, int width, int height);
