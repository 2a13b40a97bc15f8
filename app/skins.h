#pragma once
// The skin library the program carries, its deployment beside the executable and the skin
// it applies with the library's SkinH_AttachRes.

#include <windows.h>

#include <string>

#include "resources/skins/skin_data.h"

inline constexpr int kSkinSlotCount = 33;
inline constexpr wchar_t kSkinLibraryFileName[] = L"SkinH_EL.dll";
inline constexpr char kSkinAttachFunctionName[] = "SkinH_AttachRes";

// SkinH_AttachRes(data, length, password, hue, saturation, brightness).
using SkinAttachFunction = int(__stdcall*)(const unsigned char* data, int length,
                                           const char* password, int hue, int saturation,
                                           int brightness);

// The built-in skin `number` (1 to 33); null for any other number.
const EmbeddedByteSet* SkinSlot(int number);

// The directory of the program's executable, without a trailing separator.
std::wstring ExecutableDirectory();
// The executable's directory followed by "\SkinH_EL.dll".
std::wstring SkinLibraryPath();

// Writes the library image to `path`, hidden, unless a file of that name is already there;
// an existing file is never checked, compared or replaced.
void DeploySkinLibraryAt(const std::wstring& path);
// DeploySkinLibraryAt the skin library path.
void DeploySkinLibrary();

// Loads the library at exactly this path (no search) and finds its attach function; null
// when either fails. A loaded library stays loaded.
SkinAttachFunction LoadSkinAttachFunction(const std::wstring& libraryPath);

// Hands a private copy of skin `number` to `attach` (null and 0 for a number outside 1 to
// 33), with an empty password and no colour adjustments; returns what `attach` returned.
int AttachSkin(SkinAttachFunction attach, int number);

// Deploys the library, loads it from the skin library path on the first call and attaches
// skin `number`. When the library or its function cannot be loaded: a message naming both,
// then the process ends with exit code -1.
void ApplySkin(int number);
