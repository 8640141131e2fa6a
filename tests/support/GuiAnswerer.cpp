#include "tests/support/GuiAnswerer.h"

#include <exception>
#include <utility>

namespace guitest {

Action PressId(int id, PressBy how) {
  return [id, how](HWND w) { return PressButton(w, id, how); };
}

Action PressCaption(std::string caption, PressBy how) {
  return [caption = std::move(caption), how](HWND w) { return PressButton(w, caption, how); };
}

Action PostKeyToFocus(WORD vk) {
  return [vk](HWND w) { return PostKey(FocusOf(w), vk); };
}

Action SendKeysTo(std::vector<WORD> keys) {
  return [keys = std::move(keys)](HWND w) { return SendKeys(w, keys); };
}

Answerer::Answerer(WindowMatch match, Action action, DWORD timeout)
    : thread_([this, match = std::move(match), action = std::move(action), timeout] {
        Run(match, action, timeout);
      }) {}

Answerer::Answerer(WindowQuery query, Action action, DWORD timeout)
    : Answerer(Matching(std::move(query)), std::move(action), timeout) {}

Answerer::~Answerer() { Join(); }

const Answer& Answerer::Join() {
  if (thread_.joinable()) thread_.join();
  return answer_;
}

void Answerer::Run(const WindowMatch& match, const Action& action, DWORD timeout) noexcept {
  try {
    HWND w = WaitForWindow(match, timeout);
    if (!w) return;
    answer_.found = true;
    answer_.seen = ReadWindow(w);
    answer_.acted = action(w);
  } catch (const std::exception& e) {
    answer_.failure = e.what();
  } catch (...) {
    answer_.failure = "unknown exception";
  }
}

}  // namespace guitest
