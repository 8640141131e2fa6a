#include "expand/ExpandFile.h"

#include <windows.h>
#include <lzexpand.h>

#include "expand/LzsExpandFile.h"
#include "gen0/GenError.h"
#include "gen0/GenFile.h"
#include "gen0/GenSystemLibrary.h"

bool UseLzsFormat = false;

namespace {
constexpr DWORD TransferBlock = 8192;

const char* LzErrorText(int code) {
  switch (code) {
    case -1: return "ハンドルが無効です";
    case -3: return "コピー元ファイル形式が無効です";
    case -4: return "出力ファイル用ディスク領域が足りません";
    case -5: return "オープン可能なファイル数を超えているか、メモリを取得できません";
    case -6: return "ファイルハンドルをロックできません";
    case -7: return "パラメータエラー";
    case -8: return "認識できない圧縮アルゴリズムです";
    default: return "不明なエラーです";
  }
}

// The system's LZ library, from the system folder on first use and kept for the process: lz32
// is no known DLL, and a copy planted beside the program would be found first by name.
struct Lz32 {
  decltype(&::LZInit) Init;
  decltype(&::LZRead) Read;
  decltype(&::LZClose) Close;
};

const Lz32& LzLibrary() {
  static const Lz32 lz = [] {
    HMODULE m = LoadSystemLibrary("lz32.dll");
    auto get = [m](const char* name) {
      FARPROC p = GetProcAddress(m, name);
      if (!p) throw ELastError(GetLastError(), std::string("ライブラリを読み込めません - lz32.dll ") + name);
      return reinterpret_cast<void*>(p);
    };
    return Lz32{reinterpret_cast<decltype(&::LZInit)>(get("LZInit")),
                reinterpret_cast<decltype(&::LZRead)>(get("LZRead")),
                reinterpret_cast<decltype(&::LZClose)>(get("LZClose"))};
  }();
  return lz;
}

// Handles of the system path. LZClose closes the source handle given to LZInit with it.
struct SystemFiles {
  HANDLE Source = INVALID_HANDLE_VALUE;
  HANDLE Destination = INVALID_HANDLE_VALUE;
  INT Lz = -1;
  ~SystemFiles() {
    if (Lz >= 0) {
      INT lz = Lz;
      Lz = -1;
      LzLibrary().Close(lz);
      // The file is closed with the LZ handle: only its name is left to forget.
      ClearHandleInfo(FindHandleInfo(Source, KindFile, false));
      Source = INVALID_HANDLE_VALUE;
    }
    HandleClose(Destination);
    HandleClose(Source);
  }
};
}  // namespace

void RaiseLzError(int code, const std::string& context) {
  if (code >= 0) return;
  throw ELuError(LzErrorText(code), context);
}

void ExpandFile(const std::string& source, const std::string& destination, bool decompress,
                bool deleteFirst) {
  if (decompress && UseLzsFormat) {
    if (deleteFirst) DeleteFileChecked(destination, true, false);
    LzsExpandFile(AnsiToWide(source), AnsiToWide(destination));
    return;
  }
  SystemExpandFile(source, destination, decompress, deleteFirst);
}

void SystemExpandFile(const std::string& source, const std::string& destination,
                      bool decompress, bool deleteFirst) {
  std::string buffer(TransferBlock, '\0');
  SystemFiles files;
  files.Source =
      OpenFileRetry(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  SetHandleInfo(files.Source, source, KindFile);
  if (deleteFirst) DeleteFileChecked(destination, true, false);
  files.Destination =
      OpenFileRetry(destination, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  SetHandleInfo(files.Destination, destination, KindFile);

  if (decompress) {
    // LZInit takes the HFILE of a handle: the low 32 bits on a 32-bit system.
    files.Lz = LzLibrary().Init(INT(reinterpret_cast<INT_PTR>(files.Source)));
    RaiseLzError(files.Lz, "次の圧縮ファイルの展開のための前準備に失敗しました - " + source);
    for (;;) {
      INT n = LzLibrary().Read(files.Lz, buffer.data(), INT(TransferBlock));
      if (n < 0)
        RaiseLzError(n, "次の圧縮ファイルの展開のためのデータ読み込み処理に失敗しました - " +
                            source);
      if (n == 0) break;
      HandleWrite(files.Destination, buffer.data(), DWORD(n));
    }
  } else {
    while (DWORD n = HandleRead(files.Source, buffer.data(), TransferBlock))
      HandleWrite(files.Destination, buffer.data(), n);
  }

  FILETIME written;
  HandleGetTime(files.Source, nullptr, nullptr, &written);
  HandleSetTime(files.Destination, nullptr, nullptr, &written);
  HandleFlush(files.Destination);
  HandleClose(files.Destination);
}
