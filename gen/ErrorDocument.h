// The process's error document: the notices collected from reported exceptions, PostNotice and
// the counter warning, shown a moment later in the notice window "お知らせ".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gen0/GenError.h"
#include "gui/Component.h"

class TfrmGenError;

class TGenErrorDoc : public TComponent {
 public:
  // Makes its notice window too (hidden).
  explicit TGenErrorDoc(TComponent* owner);
  std::string ClassName() const override { return "TGenErrorDoc"; }

  struct TNotice {
    std::uint32_t Hash = 0;
    std::string Text;
  };
  // Grows by 100 entries; the first NoticeCount are in use.
  std::vector<TNotice> Notices;
  std::int32_t NoticeCount = 0;
  // Advanced on every change; at its maximum a change raises "カウンタオーバーフロー…".
  std::uint32_t ChangeCount = 0;
  TfrmGenError* Window() const { return window_; }

  // At most 1001 notices; with dedupe, the same text is kept once. The window is refreshed by
  // a deferred call, posted once while it waits.
  void AddNotice(const std::string& text, bool dedupe);
  // The user closed the window: no notices any more.
  void Clear();
  std::string Compose(int maxChars, int maxLines) const;
  // The handler of the application's exception event: the exception's message as a notice, or
  // for an internal failure the internal-error notice and its message in the error log. A
  // failure to record ends the process.
  void Sink(TComponent* sender, const Exception& e);
  // Puts the notices into the window and shows it.
  void Refresh();

 private:
  TfrmGenError* window_;
};

// The process's document, from the module's start-up to its stop.
extern TGenErrorDoc* ErrorDocument;

// A notice into the process's document; a failure ends the process with its message.
void PostNotice(const std::string& text, bool dedupe);
// The main sequence's calls: exceptions of window events go to the document; at the end the
// user reads what is still open.
void NoticeStartup();
void NoticeFinish();

// The module of the error document: start makes the document and sets the counter warning;
// stop shows the notices still held in a message box and frees the document.
void ErrorDocumentStartup();
void ErrorDocumentShutdown();
