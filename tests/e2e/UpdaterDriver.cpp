#include "tests/e2e/UpdaterDriver.h"

#include <tlhelp32.h>

#include <cstdlib>

#include "tests/support/GuiTest.h"

namespace e2e {
namespace {
const char InstallKey[] = "Software\\Lumen\\morimo2";

std::string TempFolder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return temp;
}

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path + "\\");
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}
}  // namespace

std::string FreshFolder(const std::string& name) {
  std::string folder = TempFolder() + name + "\\";
  RemoveTree(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

void RemoveFolder(const std::string& folder) { RemoveTree(folder); }

void PutFile(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

std::optional<std::string> FileBytes(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes(GetFileSize(h, nullptr), '\0');
  DWORD read = 0;
  ReadFile(h, bytes.data(), DWORD(bytes.size()), &read, nullptr);
  CloseHandle(h);
  return bytes;
}

void SetProgramDir(const std::optional<std::string>& folder) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, InstallKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  if (folder)
    RegSetValueExA(key, "ProgramDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder->c_str()),
                   DWORD(folder->size() + 1));
  else
    RegDeleteValueA(key, "ProgramDir");
  RegCloseKey(key);
}

std::string BuiltUpdater() {
  const char* binary = std::getenv("MORIMO_BINARY_DIR");
  std::string path = std::string("Z:") + (binary ? binary : "") + "/bin/morimo_update.exe";
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

void PutUpdater(const std::string& folder, const std::optional<std::string>& lz) {
  CopyFileA(BuiltUpdater().c_str(), (folder + "morimo_update.exe").c_str(), FALSE);
  if (lz) PutFile(folder + "morimo.exe.lz", *lz);
}

Updater::Updater(const std::string& folder, const std::string& program) {
  std::string command = "\"" + (program.empty() ? folder + "morimo_update.exe" : program) + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &si, &pi))
    return;
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  id_ = pi.dwProcessId;
}

Updater::~Updater() {
  if (!process_) return;
  if (!Ended(0)) Kill();
  CloseHandle(process_);
}

HWND Updater::Window(const std::string& className, const std::string& caption, DWORD timeout) {
  DWORD id = id_;
  return guitest::WaitForWindow(
      [&](const guitest::WindowInfo& w) {
        return w.process == id && (className.empty() || w.className == className) &&
               (caption.empty() || w.caption == caption);
      },
      timeout);
}

bool Updater::Ended(DWORD timeout, DWORD* exitCode) {
  if (!process_ || WaitForSingleObject(process_, timeout) != WAIT_OBJECT_0) return false;
  if (exitCode) GetExitCodeProcess(process_, exitCode);
  return true;
}

void Updater::Suspend(bool suspend) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  THREADENTRY32 t = {};
  t.dwSize = sizeof t;
  for (BOOL more = Thread32First(snapshot, &t); more; more = Thread32Next(snapshot, &t)) {
    if (t.th32OwnerProcessID != id_) continue;
    if (HANDLE h = OpenThread(THREAD_SUSPEND_RESUME, FALSE, t.th32ThreadID)) {
      if (suspend)
        SuspendThread(h);
      else
        ResumeThread(h);
      CloseHandle(h);
    }
  }
  CloseHandle(snapshot);
}

void Updater::Kill() {
  TerminateProcess(process_, 9);
  WaitForSingleObject(process_, 10000);
}

HWND Child(HWND window, const char* className) {
  return FindWindowExA(window, nullptr, className, nullptr);
}

std::string FolderText(HWND dialog) { return guitest::ReadFieldText(Child(dialog, "Edit")); }

void SetFolderText(HWND dialog, const std::string& text) {
  DWORD_PTR result;
  SendMessageTimeoutA(Child(dialog, "Edit"), WM_SETTEXT, 0, LPARAM(text.c_str()),
                      SMTO_ABORTIFHUNG, 5000, &result);
}

bool Press(HWND window, const std::string& caption) {
  return guitest::PressButton(window, caption, guitest::PressBy::Click);
}

std::string MessageText(HWND dialog) { return guitest::ReadWindow(dialog).StaticText(); }

std::string NoticeText(HWND notice) { return guitest::ReadFieldText(Child(notice, "Edit")); }

}  // namespace e2e
