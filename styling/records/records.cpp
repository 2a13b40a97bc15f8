#include "styling/records/records.h"

bool StylingEnabled = true;
COLORREF AccentColour = RGB(34, 202, 221);
bool TrackBarOption = true;
bool ListOption = true;
HICON ApplicationIcon = nullptr;

void CreateStyleLists() {}

void ReleaseAllStyleRecords() {}
