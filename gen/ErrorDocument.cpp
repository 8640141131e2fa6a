#include "gen/ErrorDocument.h"

#include <windows.h>

#include "gen/NoticeText.h"
#include "gen/NoticeWindow.h"
#include "gen0/GenAssert.h"
#include "gen0/GenCounter.h"
#include "gen0/GenFatal.h"
#include "gen0/GenLog.h"
#include "services/ExceptionHook.h"
#include "gui/MessageFlush.h"
#include "services/PostCall.h"

TGenErrorDoc* ErrorDocument = nullptr;

namespace {
constexpr std::int32_t MaxNoticeIndex = 1000;
const char InternalNotice[] =
    "内部エラー！ログを記録しました。お手数ですがソフトウェアの製造元にお問い合わせください。";

void RefreshNoticeWindow(TGenErrorDoc* doc) { doc->Refresh(); }

std::string TrimLineBreaks(const std::string& s) {
  std::size_t first = s.find_first_not_of("\r\n");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of("\r\n") - first + 1);
}
}  // namespace

TGenErrorDoc::TGenErrorDoc(TComponent* owner)
    : TComponent(owner), window_(NewForm<TfrmGenError>(this)) {}

void TGenErrorDoc::AddNotice(const std::string& text, bool dedupe) {
  if (NoticeCount > MaxNoticeIndex) return;
  std::uint32_t h = NoticeHash(text);
  if (dedupe) {
    for (std::int32_t i = 0; i < NoticeCount; ++i)
      if (Notices[i].Hash == h && Notices[i].Text == text) return;
  }
  if (Notices.size() <= std::size_t(NoticeCount)) Notices.resize(std::size_t(NoticeCount) + 100);
  Notices[NoticeCount] = {h, text};
  ++NoticeCount;
  NextCount(ChangeCount);
  PostCall(this, &RefreshNoticeWindow, this);
  if (ErrorLogEnabled) LogErrorLimited("GenError:\r\n" + text);
}

void TGenErrorDoc::Clear() {
  NoticeCount = 0;
  NextCount(ChangeCount);
}

std::string TGenErrorDoc::Compose(int maxChars, int maxLines) const {
  std::vector<std::string> texts;
  for (std::int32_t i = 0; i < NoticeCount; ++i) texts.push_back(Notices[i].Text);
  return ComposeNotices(texts, maxChars, maxLines);
}

void TGenErrorDoc::Sink(TComponent*, const Exception& e) {
  try {
    if (dynamic_cast<const EAssertionFailed*>(&e) || dynamic_cast<const ELuInternal*>(&e)) {
      AddNotice(InternalNotice, false);
      LogErrorLimited(e.Message);
    } else {
      AddNotice(e.Message, false);
    }
  } catch (const Exception& second) {
    LogError(second.Message);
    FatalAppExitA(0, second.Message.c_str());
  }
}

void TGenErrorDoc::Refresh() {
  if (NoticeCount <= 0) return;
  window_->UpdateNoticeText();
  window_->ShowNoticeWindow();
}

void PostNotice(const std::string& text, bool dedupe) {
  try {
    ErrorDocument->AddNotice(text, dedupe);
  } catch (const Exception& e) {
    FatalExit(e.Message);
  }
}

void NoticeStartup() {
  InstallExceptionHook();
  ApplicationExceptionHandler = TExceptionHandler::Bind<&TGenErrorDoc::Sink>(ErrorDocument);
}

void NoticeFinish() {
  ErrorDocument->Refresh();
  if (FlushMessages) FlushMessages();
  if (ErrorDocument->NoticeCount > 0) ErrorDocument->Window()->WaitUntilClosed();
}

void ErrorDocumentStartup() {
  ErrorDocument = New<TGenErrorDoc>(nullptr);
  SetOnCounterHigh([](std::uint32_t) {
    PostNotice("内部カウンタが上限に近づいています。再起動を行ってください。", false);
  });
}

void ErrorDocumentShutdown() {
  if (!ErrorDocument) return;
  SetOnCounterHigh(nullptr);
  if (ApplicationExceptionHandler.Self == ErrorDocument) ApplicationExceptionHandler = {};
  if (ErrorDocument->NoticeCount > 0)
    MessageBoxA(nullptr, TrimLineBreaks(ErrorDocument->Compose(1024, 20)).c_str(), "おしらせ",
                MB_ICONERROR | MB_TOPMOST);
  delete ErrorDocument;
  ErrorDocument = nullptr;
}
