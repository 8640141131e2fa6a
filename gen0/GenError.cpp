#include "gen0/GenError.h"

#include <cstdio>

#include "gen0/GenSystemText.h"

// Filled by the base library's start-up and replaced by the window layer; null before.
TReportException ReportException = nullptr;

namespace {
const char Blank[] = "\r\n\r\n";
const char InternalSentence[] =
    "内部エラーが発生しました。お手数ですが製造元へお問い合わせください。";

std::string Compose(const std::string& text, const std::string& detail) {
  if (detail.empty()) return text;
  if (text.empty()) return detail;
  return text + Blank + detail;
}

struct FixedText {
  std::uint32_t code;
  const char* text;
};
const char NotThisSystem[] = "このオペレーティング システムでは実行されません。";
const FixedText FixedTexts[] = {
    {34, "間違ったディスクがドライブに挿入されています。"},
    {106, "ドライブにディスクを挿入してください。"},
    {129, "Win32 モードで実行できないアプリケーションです。"},
    {188, NotThisSystem}, {189, NotThisSystem}, {190, NotThisSystem},
    {191, "Win32 モードで実行できません。"},
    {192, NotThisSystem},
    {193, "有効な Win32 アプリケーションではありません。"},
    {194, NotThisSystem}, {195, NotThisSystem}, {198, NotThisSystem}, {201, NotThisSystem},
    {202, NotThisSystem},
    {216, "イメージファイルはこのコンピュータでは扱えないファイル形式です。"},
    {317, "メッセージ文がメッセージファイルに見つかりません。"},
    {0x80030002u, "ファイルが見つかりません。"},
    {0x80030003u, "パスが見つかりません。"},
    {0x80030050u, "ファイルはすでに存在します。"},
    {0x800300FBu, "有効な複合ファイルではありません。"},
    {0x80030104u, "互換性のないバージョンの記憶域で作成された複合ファイルです。"},
    {0x80030105u, "新しいバージョンの記憶域で作成された複合ファイルです。"},
    {0, ""},
};
}  // namespace

std::string SystemErrorText(std::uint32_t code) {
  for (const FixedText& f : FixedTexts)
    if (f.code == code) return f.text;
  std::string s = SystemMessageText(code);
  while (!s.empty() && (static_cast<unsigned char>(s.back()) < 0x21 || s.back() == '.'))
    s.pop_back();
  if (!s.empty()) return s;
  char buf[64];
  if (code <= 65535)
    std::snprintf(buf, sizeof buf, "システムエラー[No.%d]", int(code));
  else
    std::snprintf(buf, sizeof buf, "システムエラー[$%.8X]", unsigned(code));
  return buf;
}

// ELuError

ELuError::ELuError(std::string text) { InitDetail(std::move(text), {}); }
ELuError::ELuError(std::string text, std::string detail) {
  InitDetail(std::move(text), std::move(detail));
}

void ELuError::InitDetail(std::string text, std::string detail) {
  Message = Compose(text, detail);
  Text = std::move(text);
  Detail = std::move(detail);
}

void ELuError::InitWide(const WideString& text, const WideString& detail) {
  InitDetail(WideToAnsi(text), WideToAnsi(detail));
  WideText = text;
  WideDetail = detail;
  IsWide = true;
}

ELuError ELuError::CreateWide(const WideString& text, const WideString& detail) {
  ELuError e;
  e.InitWide(text, detail);
  return e;
}

std::unique_ptr<ELuException> ELuError::Clone() const {
  return std::make_unique<ELuError>(Text, Detail);
}

// ELuInternal

ELuInternal::ELuInternal(std::string detail) { InitDetail(InternalSentence, std::move(detail)); }

std::unique_ptr<ELuException> ELuInternal::Clone() const {
  return std::make_unique<ELuInternal>(Detail);
}

// ELastError

ELastError::ELastError(std::uint32_t code, std::string text) {
  Message = code == 0 ? text : SystemErrorText(code) + "\n\n" + text;
  Text = Message;
  ErrorCode = code;
  CallerText = std::move(text);
}

ELastError ELastError::CreateWide(std::uint32_t code, const WideString& text) {
  ELastError e;
  if (code == 0)
    e.InitWide(text, {});
  else
    e.InitWide(AnsiToWide(SystemErrorText(code)), text);
  e.ErrorCode = code;
  e.WideCallerText = text;
  e.CallerText = WideToAnsi(text);
  return e;
}

std::unique_ptr<ELuException> ELastError::Clone() const {
  if (IsWide) return std::make_unique<ELastError>(CreateWide(ErrorCode, WideCallerText));
  return std::make_unique<ELastError>(ErrorCode, CallerText);
}

// EGTData

EGTData EGTData::CreateWide(const WideString& text, const WideString& detail) {
  EGTData e;
  e.InitWide(text, detail);
  return e;
}

// ELuInput

std::unique_ptr<ELuException> ELuInput::Clone() const {
  return std::make_unique<ELuInput>(Text, Detail);
}
