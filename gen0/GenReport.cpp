#include <windows.h>

#include "gen0/GenError.h"


void DefaultReportException(const Exception& e) {
  if (dynamic_cast<const EAbort*>(&e)) return;
  MessageBoxA(nullptr, e.Message.c_str(), "ルーメンアプリケーションでエラーが発生",
              MB_ICONHAND | MB_OK);
}
