#include "gen0/GenFatal.h"

#include <windows.h>

#include "gen0/GenError.h"
#include "gen0/GenLog.h"

namespace {
// One call at a time: the caller waits for the worker.
std::string s_boxText, s_boxCaption;
unsigned s_boxStyle = 0;
int s_boxResult = IDCANCEL;

DWORD WINAPI MessageBoxThread(void*) {
  s_boxResult = MessageBoxA(nullptr, s_boxText.c_str(), s_boxCaption.c_str(), s_boxStyle);
  return 0;
}
}  // namespace

int ThreadMessageBox(const std::string& text, const std::string& caption, unsigned style) {
  s_boxText = text;
  s_boxCaption = caption;
  s_boxStyle = style;
  s_boxResult = IDCANCEL;
  SetLastError(0);
  HANDLE thread = CreateThread(nullptr, 0, MessageBoxThread, nullptr, 0, nullptr);
  if (!thread) throw ELastError(GetLastError(), "スレッドを作成できませんでした");
  SetLastError(0);
  DWORD wait = WaitForSingleObject(thread, INFINITE);
  DWORD code = GetLastError();
  CloseHandle(thread);
  if (wait == WAIT_FAILED) throw ELastError(code, "待機処理でエラーが発生");
  if (s_boxResult == 0) throw ELuError("メッセージを表示できません");
  return s_boxResult;
}

bool FatalClosePrompt(std::uint32_t code, const std::string& fileName) {
  std::string text = SystemErrorText(code) + "\r\n\r\n" + "ハンドルを閉じることができません - " +
                     fileName + "\r\n\r\n" + "再試行しますか？（しない場合は強制終了となります）";
  if (ThreadMessageBox(text, "エラー", MB_YESNO | MB_ICONHAND | MB_TOPMOST) == IDYES) return true;
  LogError("ハンドルクローズに失敗");
  // A refused close is a failure: whoever started us must not read success.
  ExitProcess(1);
}

void FatalExit(const std::string& text) {
  if (DebugMode) DebugBreak();
  LogError(text);
  if (!text.empty()) FatalAppExitA(0, text.c_str());
  ExitProcess(1);
}

void FatalError(const std::string& text) {
  LogError(text);
  FatalExit("内部エラー！お手数ですが、ソフトウェアの製造元にお問い合わせください。");
}
