#include "styling/records/look_paint.h"

#include "styling/records/records.h"

LookKey ControlLookKey(HWND control) {
  LookKey key;
  StyleRecord* record = RecordOfControl(control);
  if (!record) return key;
  key.Add(static_cast<std::int64_t>(record->frameVersion));
  key.Add(RectRelativeTo(record->window, control));
  return key;
}
