#include "styling/records/look_cache.h"

#include <algorithm>
#include <utility>

#include "styling/records/canvas.h"

namespace {

// One memory DC for every copy in and out of kept looks: made once, it holds a look's bitmap
// only for the length of a copy (and the stock bitmap otherwise).
HDC CopyDc() {
  static HDC dc = CreateCompatibleDC(nullptr);
  return dc;
}

// Copies between the bitmap and another DC.
bool CopyBitmap(HBITMAP bitmap, HDC other, int x, int y, int width, int height, bool intoBitmap) {
  HDC memory = CopyDc();
  if (!memory) return false;
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BOOL copied = intoBitmap ? BitBlt(memory, 0, 0, width, height, other, x, y, SRCCOPY)
                           : BitBlt(other, x, y, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  return copied != FALSE;
}

}  // namespace

LookKey& LookKey::Add(std::int64_t value) {
  bytes_.append(reinterpret_cast<const char*>(&value), sizeof value);
  return *this;
}

LookKey& LookKey::Add(std::string_view text) {
  // The length first, so that ("ab", "c") and ("a", "bc") differ.
  Add(static_cast<std::int64_t>(text.size()));
  bytes_.append(text);
  return *this;
}

LookKey& LookKey::Add(const RECT& rect) {
  return Add(rect.left).Add(rect.top).Add(rect.right).Add(rect.bottom);
}

LookKey& LookKey::Add(const LookKey& inputs) {
  bytes_.append(inputs.bytes_);
  return *this;
}

LookCache::~LookCache() { Clear(); }

LookCache::LookCache(LookCache&& other) noexcept
    : looks_(std::move(other.looks_)), capacity_(other.capacity_) {
  other.looks_.clear();
}

LookCache& LookCache::operator=(LookCache&& other) noexcept {
  if (this != &other) {
    Clear();
    looks_ = std::move(other.looks_);
    capacity_ = other.capacity_;
    other.looks_.clear();
  }
  return *this;
}

bool LookCache::Draw(const LookKey& key, HDC target, int x, int y) const {
  auto look = std::find_if(looks_.begin(), looks_.end(),
                           [&key](const Look& kept) { return kept.key == key; });
  if (look == looks_.end() || !target) return false;
  return CopyBitmap(look->bitmap, target, x, y, look->width, look->height, false);
}

void LookCache::Keep(const LookKey& key, HDC source, int width, int height) {
  if (!source || width <= 0 || height <= 0) return;
  auto same = std::find_if(looks_.begin(), looks_.end(),
                           [&key](const Look& kept) { return kept.key == key; });
  if (same != looks_.end()) {
    DeleteObject(same->bitmap);
    looks_.erase(same);
  }
  HBITMAP bitmap = CreateArgbBitmap(width, height);
  if (!bitmap) return;
  if (!CopyBitmap(bitmap, source, 0, 0, width, height, true)) {
    DeleteObject(bitmap);
    return;
  }
  if (static_cast<int>(looks_.size()) >= capacity_) {
    DeleteObject(looks_.front().bitmap);
    looks_.erase(looks_.begin());
  }
  looks_.push_back(Look{key, bitmap, width, height});
}

void LookCache::Clear() {
  for (Look& look : looks_) DeleteObject(look.bitmap);
  looks_.clear();
}

LookCache& SharedLooks() {
  // Enough for the controls of a few boxes in their usual states.
  static LookCache shared(48);
  return shared;
}

bool DrawKeptLook(const LookCache& own, const LookKey& key, HDC target) {
  return own.Draw(key, target, 0, 0) || SharedLooks().Draw(key, target, 0, 0);
}

void KeepLook(LookCache& own, const LookKey& key, HDC canvas, int width, int height) {
  own.Keep(key, canvas, width, height);
  SharedLooks().Keep(key, canvas, width, height);
}
