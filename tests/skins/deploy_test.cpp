// Deployment of the skin library, loading it by its full path, and the attach call's
// arguments as a recording stand-in library receives them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/skins.h"

namespace {

// A fresh folder under the temporary directory, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"lanzhou-skins-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(counter_++);
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring file = path_ + L"\\" + found.cFileName;
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(file.c_str());
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(path_.c_str());
  }
  std::wstring File(const wchar_t* name) const { return path_ + L"\\" + name; }

 private:
  static inline int counter_ = 0;
  std::wstring path_;
};

std::string ReadAll(const std::wstring& path) {
  std::string bytes;
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD n = 0;
  while (ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
  CloseHandle(file);
  return bytes;
}

void WriteAll(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
  CloseHandle(file);
}

FILETIME WriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

// Wine reports every regular file as FILE_ATTRIBUTE_ARCHIVE, even after SetFileAttributes
// without it; Windows does not. The comparisons leave that bit out.
DWORD AttributesOf(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes == INVALID_FILE_ATTRIBUTES ? attributes : attributes & ~FILE_ATTRIBUTE_ARCHIVE;
}

std::wstring BinFile(const wchar_t* relative) { return ExecutableDirectory() + L"\\" + relative; }

std::string ImageBytes() {
  const auto image = SkinLibraryImage.Bytes();
  return std::string(reinterpret_cast<const char*>(image.data()), image.size());
}

TEST(SkinLibraryImage, IsTheWholePaddedLibrary) {
  EXPECT_EQ(SkinLibraryImage.Length(), 88576);
  EXPECT_EQ(std::memcmp(SkinLibraryImage.Data(), "MZ", 2), 0);
  EXPECT_EQ(ReadAll(BinFile(SKIN_LIBRARY_FROM_BIN)), ImageBytes());
}

TEST(SkinLibraryPath, IsTheExecutablesFolderAndTheLibraryName) {
  wchar_t module[MAX_PATH];
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring folder(module);
  folder.resize(folder.find_last_of(L'\\'));
  EXPECT_EQ(ExecutableDirectory(), folder);
  EXPECT_EQ(SkinLibraryPath(), folder + L"\\SkinH_EL.dll");
}

TEST(DeploySkinLibrary, WritesTheImageHiddenWhenAbsent) {
  TempFolder folder;
  const std::wstring path = folder.File(L"SkinH_EL.dll");
  DeploySkinLibraryAt(path);
  EXPECT_EQ(AttributesOf(path), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
  const std::string written = ReadAll(path);
  EXPECT_EQ(written.size(), 88576u);
  EXPECT_TRUE(written == ImageBytes()) << "the deployed file differs from the embedded image";
}

TEST(DeploySkinLibrary, LeavesAPresentFileAloneWhateverItIs) {
  TempFolder folder;
  const std::wstring visible = folder.File(L"SkinH_EL.dll");
  WriteAll(visible, "not a library");
  const FILETIME old{0x2A69C000u, 0x01C0F6D1u};  // 2001
  HANDLE file =
      CreateFileW(visible.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  SetFileTime(file, nullptr, nullptr, &old);
  CloseHandle(file);
  const DWORD attributes = GetFileAttributesW(visible.c_str());
  ASSERT_FALSE(attributes & FILE_ATTRIBUTE_HIDDEN);

  DeploySkinLibraryAt(visible);
  EXPECT_EQ(ReadAll(visible), "not a library");
  EXPECT_EQ(GetFileAttributesW(visible.c_str()), attributes);
  const FILETIME after = WriteTime(visible);
  EXPECT_EQ(CompareFileTime(&old, &after), 0);

  // A read-only one is not replaced either (and not made hidden).
  SetFileAttributesW(visible.c_str(), FILE_ATTRIBUTE_READONLY);
  DeploySkinLibraryAt(visible);
  EXPECT_EQ(AttributesOf(visible), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

TEST(DeploySkinLibrary, GivesUpQuietlyWhereItCannotWrite) {
  TempFolder folder;
  const std::wstring nowhere = folder.File(L"missing-folder\\SkinH_EL.dll");
  DeploySkinLibraryAt(nowhere);
  EXPECT_EQ(GetFileAttributesW(nowhere.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(LoadSkinAttachFunction, FindsTheExportAtExactlyThatPathOrNothing) {
  TempFolder folder;
  EXPECT_EQ(LoadSkinAttachFunction(folder.File(L"SkinH_EL.dll")), nullptr);  // absent
  WriteAll(folder.File(L"SkinH_EL.dll"), "MZ but nothing else");
  EXPECT_EQ(LoadSkinAttachFunction(folder.File(L"SkinH_EL.dll")), nullptr);
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  EXPECT_EQ(LoadSkinAttachFunction(std::wstring(system) + L"\\version.dll"), nullptr);

  // The padded library loads and exports its function; the recorder is another file of the
  // same name and is loaded as such.
  const SkinAttachFunction real = LoadSkinAttachFunction(BinFile(SKIN_LIBRARY_FROM_BIN));
  const SkinAttachFunction recorder = LoadSkinAttachFunction(BinFile(SKINH_RECORDER_FROM_BIN));
  ASSERT_NE(real, nullptr);
  ASSERT_NE(recorder, nullptr);
  EXPECT_NE(real, recorder);
}

class AttachSkinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log = folder.File(L"attach.log");
    SetEnvironmentVariableW(L"LANZHOU_SKINH_LOG", log.c_str());
    recorder = LoadSkinAttachFunction(BinFile(SKINH_RECORDER_FROM_BIN));
    ASSERT_NE(recorder, nullptr);
  }
  void TearDown() override { SetEnvironmentVariableW(L"LANZHOU_SKINH_LOG", nullptr); }

  TempFolder folder;
  std::wstring log;
  SkinAttachFunction recorder = nullptr;
};

TEST_F(AttachSkinTest, HandsOverAPrivateCopyOfSkinSixWithAnEmptyPassword) {
  EXPECT_EQ(AttachSkin(recorder, 6), 1);  // what the library answered
  const std::string line = ReadAll(log);
  char notCopied[32];
  std::snprintf(notCopied, sizeof notCopied, "data=%p ",
                static_cast<const void*>(SkinSlot(6)->Data()));
  EXPECT_EQ(line.find(notCopied), std::string::npos) << line;
  EXPECT_EQ(line.substr(line.find(" length=")),
            " length=41098 password=\"\" hue=0 saturation=0 brightness=0\n");
  const auto slot = SkinSlot(6)->Bytes();
  EXPECT_TRUE(ReadAll(log + L".data") ==
              std::string(reinterpret_cast<const char*>(slot.data()), slot.size()));
}

TEST_F(AttachSkinTest, NumbersOutsideTheTableHandOverNoData) {
  for (int number : {0, 34, -1}) AttachSkin(recorder, number);
  EXPECT_EQ(ReadAll(log),
            "data=null length=0 password=\"\" hue=0 saturation=0 brightness=0\n"
            "data=null length=0 password=\"\" hue=0 saturation=0 brightness=0\n"
            "data=null length=0 password=\"\" hue=0 saturation=0 brightness=0\n");
}

}  // namespace
