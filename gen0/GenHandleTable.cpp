#include <vector>

#include "gen0/GenFile.h"

namespace {
struct HandleRow {
  HANDLE Handle = INVALID_HANDLE_VALUE;
  std::string FileName;
  WideString WideFileName;
  BYTE Kind = 0;
};

// Row 0 stands for an unregistered handle and is never used.
std::vector<HandleRow>& Table() {
  static std::vector<HandleRow> rows(1);
  return rows;
}

int FreeRow() {
  auto& rows = Table();
  for (size_t i = 1; i < rows.size(); ++i)
    if (rows[i].Handle == INVALID_HANDLE_VALUE) return int(i);
  size_t first = rows.size();
  rows.resize(first + 10);
  return int(first);
}
}  // namespace

int FindHandleInfo(HANDLE handle, BYTE kind, bool add) {
  auto& rows = Table();
  for (size_t i = 1; i < rows.size(); ++i)
    if (rows[i].Handle == handle && rows[i].Kind == kind) return int(i);
  if (!add) return 0;
  int row = FreeRow();
  Table()[row].Handle = handle;
  Table()[row].Kind = kind;
  return row;
}

int SetHandleInfo(HANDLE handle, const std::string& name, BYTE kind) {
  if (handle == INVALID_HANDLE_VALUE) return 0;
  int row = FindHandleInfo(handle, kind, true);
  Table()[row].FileName = name;
  Table()[row].WideFileName.clear();
  return row;
}

int SetHandleInfoWide(HANDLE handle, const WideString& name, BYTE kind) {
  if (handle == INVALID_HANDLE_VALUE) return 0;
  std::string ansi = WideToAnsi(name);
  int row = FindHandleInfo(handle, kind, true);
  Table()[row].FileName = ansi;
  Table()[row].WideFileName = name;
  return row;
}

void ClearHandleInfo(int row) {
  auto& rows = Table();
  if (row < 0 || size_t(row) >= rows.size()) {
    RaiseOrReport(false, ELuInternal("引数範囲外 - ClearHandleInfo"));
    return;
  }
  if (row == 0) return;
  rows[row] = HandleRow{};
}

void ReleaseHandleTable() { std::vector<HandleRow>(1).swap(Table()); }

std::string HandleName(HANDLE handle, BYTE kind) {
  return Table()[FindHandleInfo(handle, kind, false)].FileName;
}

void HandleError(DWORD code, const std::string& text, HANDLE handle, BYTE kind, bool shortWrite) {
  const HandleRow& row = Table()[FindHandleInfo(handle, kind, false)];
  if (!row.WideFileName.empty()) {
    WideString wide = AnsiToWide(text) + row.WideFileName;
    if (shortWrite) throw ELuError::CreateWide(wide);
    throw ELastError::CreateWide(code, wide);
  }
  if (shortWrite) throw ELuError(text + row.FileName);
  throw ELastError(code, text + row.FileName);
}
