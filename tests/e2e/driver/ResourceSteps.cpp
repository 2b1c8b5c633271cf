// resources PATH: the version block and icon groups of an executable.
// manifest PATH: its application manifest.
#include <cstdio>
#include <cwchar>

#include "Steps.h"
#include "Text.h"

namespace drive {

namespace {

std::string DottedVersion(DWORD high, DWORD low) {
  return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
         std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
}

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int IconGroups(const std::string& path) {
  HMODULE module = LoadLibraryExW(Wide(path).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return -1;
  int count = 0;
  EnumResourceNamesA(module, RT_GROUP_ICON, CountName, reinterpret_cast<LONG_PTR>(&count));
  FreeLibrary(module);
  return count;
}

// Prints the language and code page of the first translation and the file
// description of that block.
void ReportTranslation(Session& session, std::string& block) {
  WORD* translation = nullptr;
  UINT size = 0;
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &size) ||
      size < 2 * sizeof(WORD)) {
    session.out.Line("resources.translation", "none");
    return;
  }
  char words[16];
  std::snprintf(words, sizeof words, "%04X %04X", translation[0], translation[1]);
  session.out.Line("resources.translation", words);
  wchar_t query[64];
  std::swprintf(query, 64, L"\\StringFileInfo\\%04x%04x\\FileDescription", translation[0],
                translation[1]);
  wchar_t* description = nullptr;
  session.out.Text(
      "resources.description",
      VerQueryValueW(block.data(), query, reinterpret_cast<void**>(&description), &size)
          ? Cp932(description)
          : std::string());
}

}  // namespace

bool StepResources(Session& session, const std::vector<std::string>& args) {
  const std::string& path = args[0];
  DWORD ignored = 0;
  std::wstring widePath = Wide(path);
  DWORD size = GetFileVersionInfoSizeW(widePath.c_str(), &ignored);
  std::string block(size, '\0');
  if (size == 0 || !GetFileVersionInfoW(widePath.c_str(), 0, size, block.data())) {
    session.out.Error("no version block in " + path);
    return false;
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) &&
      fixed != nullptr) {
    session.out.Line("resources.version",
                     DottedVersion(fixed->dwFileVersionMS, fixed->dwFileVersionLS) + " " +
                         DottedVersion(fixed->dwProductVersionMS, fixed->dwProductVersionLS));
  }
  ReportTranslation(session, block);
  session.out.Line("resources.icongroups", std::to_string(IconGroups(path)));
  return true;
}

bool StepManifest(Session& session, const std::vector<std::string>& args) {
  HMODULE module = LoadLibraryExW(Wide(args[0]).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) {
    session.out.Error("cannot load " + args[0]);
    return false;
  }
  // Resource 1 of type RT_MANIFEST: where the system looks for a program's.
  std::string manifest;
  if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), RT_MANIFEST)) {
    HGLOBAL data = LoadResource(module, found);
    const void* bytes = data ? LockResource(data) : nullptr;
    if (bytes != nullptr) {
      manifest.assign(static_cast<const char*>(bytes), SizeofResource(module, found));
    }
  }
  FreeLibrary(module);
  session.out.Text("manifest", manifest);
  return true;
}

}  // namespace drive
