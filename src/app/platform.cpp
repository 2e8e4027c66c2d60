#include "app/platform.h"

#include "app/state.h"

static Platform* g_pPlatform = nullptr;

void SetPlatform(Platform* platform) { g_pPlatform = platform; }

Platform* CurrentPlatform() { return g_pPlatform; }

void ShowMessage(const char* text, const char* caption) { ShowMessageOn(g_pPlatform, text, caption); }

void ShowFileMessage(const char* text, const char* caption, const char* path, const char* reason) {
  ShowFileMessageOn(g_pPlatform, text, caption, path, reason);
}

void ShowMessageOn(Platform* platform, const char* text, const char* caption) {
  if (platform != nullptr) platform->ShowMessage(text, caption);
}

void ShowFileMessageOn(Platform* platform, const char* text, const char* caption, const char* path,
                       const char* reason) {
  if (platform != nullptr) platform->ShowFileMessage(text, caption, path, reason);
}

void Platform::ShowInformation(const char* text) {
  ShowMessage(text, Version_string);
}
