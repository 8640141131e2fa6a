// A stand-in for the installed product in `make demo`: it says which version it is.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  MessageBoxA(nullptr, "モリモVer.２ デモ版 " DEMO_VERSION, "モリモVer.２", MB_ICONINFORMATION);
  return 0;
}
