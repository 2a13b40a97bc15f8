#pragma once
// The GDI+ session.

#include <cstdint>

extern std::uintptr_t gdiplusToken;  // 0 until the session is open

// Opens the GDI+ session (version 1 unless given) and keeps the token; never shut down.
std::uintptr_t StartGdiplus(std::int32_t version = 1, bool versionGiven = false);
