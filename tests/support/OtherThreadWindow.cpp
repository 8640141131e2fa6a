#include "tests/support/OtherThreadWindow.h"

#include "tests/support/GuiWindow.h"

namespace guitest {

OtherThreadWindow::OtherThreadWindow(RECT r)
    : thread_([this, r] {
        HWND w = CreateWindowExW(0, L"BUTTON", L"other", WS_POPUP | WS_BORDER, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr,
                                 nullptr);
        if (w) ShowWindow(w, SW_SHOWNOACTIVATE);  // the form keeps the focus until the click
        window_ = w;
        id_ = GetCurrentThreadId();
        MSG m;
        while (w && GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
      }) {
  PollUntil([this] { return id_ != 0; }, DefaultTimeout);
}

OtherThreadWindow::~OtherThreadWindow() {
  PostThreadMessageW(id_, WM_QUIT, 0, 0);
  thread_.join();
}

}  // namespace guitest
