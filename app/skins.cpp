#include "app/skins.h"

#include <array>
#include <cstdlib>
#include <vector>

namespace {

const std::array<const EmbeddedByteSet*, kSkinSlotCount> kSkinSlots = {
    &SkinSlot1,  &SkinSlot2,  &SkinSlot3,  &SkinSlot4,  &SkinSlot5,  &SkinSlot6,  &SkinSlot7,
    &SkinSlot8,  &SkinSlot9,  &SkinSlot10, &SkinSlot11, &SkinSlot12, &SkinSlot13, &SkinSlot14,
    &SkinSlot15, &SkinSlot16, &SkinSlot17, &SkinSlot18, &SkinSlot19, &SkinSlot20, &SkinSlot21,
    &SkinSlot22, &SkinSlot23, &SkinSlot24, &SkinSlot25, &SkinSlot26, &SkinSlot27, &SkinSlot28,
    &SkinSlot29, &SkinSlot30, &SkinSlot31, &SkinSlot32, &SkinSlot33,
};

std::wstring ModuleFileName() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return L"";
    if (n < buffer.size()) return std::wstring(buffer.data(), n);
    buffer.resize(buffer.size() * 2);  // truncated: try a larger buffer
  }
}

bool FileExists(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

[[noreturn]] void ReportMissingSkinLibrary(const std::wstring& path) {
  const std::wstring text = L"无法从皮肤库 " + path + L" 加载函数 SkinH_AttachRes。\n" +
                            L"请确认程序所在的文件夹可以写入，且其中的 SkinH_EL.dll 完好。";
  MessageBoxW(nullptr, text.c_str(), L"岚舟提示", MB_OK | MB_ICONERROR);
  std::exit(-1);
}

}  // namespace

const EmbeddedByteSet* SkinSlot(int number) {
  if (number < 1 || number > kSkinSlotCount) return nullptr;
  return kSkinSlots[number - 1];
}

std::wstring ExecutableDirectory() {
  const std::wstring file = ModuleFileName();
  const std::size_t separator = file.find_last_of(L"\\/");
  return separator == std::wstring::npos ? L"" : file.substr(0, separator);
}

std::wstring SkinLibraryPath() { return ExecutableDirectory() + L"\\" + kSkinLibraryFileName; }

void DeploySkinLibraryAt(const std::wstring& path) {
  if (FileExists(path)) return;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const auto image = SkinLibraryImage.Bytes();
  DWORD written = 0;
  const bool complete =
      WriteFile(file, image.data(), static_cast<DWORD>(image.size()), &written, nullptr) &&
      written == image.size();
  CloseHandle(file);
  // A partial library would be found, kept and fail to load at every later start.
  if (!complete) {
    DeleteFileW(path.c_str());
    return;
  }
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
}

void DeploySkinLibrary() { DeploySkinLibraryAt(SkinLibraryPath()); }

SkinAttachFunction LoadSkinAttachFunction(const std::wstring& libraryPath) {
  HMODULE library = LoadLibraryW(libraryPath.c_str());
  if (!library) return nullptr;
  FARPROC function = GetProcAddress(library, kSkinAttachFunctionName);
  return reinterpret_cast<SkinAttachFunction>(reinterpret_cast<void (*)()>(function));
}

int AttachSkin(SkinAttachFunction attach, int number) {
  const EmbeddedByteSet* slot = SkinSlot(number);
  const ByteSet copy = slot ? slot->Copy() : ByteSet{};
  return attach(copy.empty() ? nullptr : copy.data(), static_cast<int>(copy.size()), "", 0, 0, 0);
}

void ApplySkin(int number) {
  DeploySkinLibrary();
  // Loaded once, by the full path just deployed: a bare name would search the current
  // directory and PATH and could pick up a planted library.
  static SkinAttachFunction attach = nullptr;
  if (!attach) {
    const std::wstring path = SkinLibraryPath();
    attach = LoadSkinAttachFunction(path);
    if (!attach) ReportMissingSkinLibrary(path);
  }
  AttachSkin(attach, number);
}
