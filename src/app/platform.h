// The platform interface: everything the command logic and the operations
// need from a user interface.  The Windows program, the command-line tool
// and the tests each supply their own implementation; the operations are
// handed one with their request and use only its messages.
#ifndef TAMREL_APP_PLATFORM_H
#define TAMREL_APP_PLATFORM_H

#include <cstddef>

class Platform {
 public:
  virtual ~Platform() = default;

  // A modal message with one OK button; returns when it is dismissed.
  virtual void ShowMessage(const char* text, const char* caption) = 0;

  // A message about one file that could not be opened or written.  The
  // Windows program shows the text alone, as it always has; a terminal
  // adds the path and the system's reason, which a script's user needs.
  virtual void ShowFileMessage(const char* text, const char* caption, const char* path,
                               const char* reason) {
    (void)path;
    (void)reason;
    ShowMessage(text, caption);
  }

  // An information text of the Help menu (a manual, the problem text or
  // the About text), shown with Version_string as caption.  By default it
  // is an ordinary message; the Windows program assembles it first in its
  // message buffer.
  virtual void ShowInformation(const char* text);

  // A file chooser with the given title.  On confirmation the full path is
  // stored in path (at most size bytes with its NUL) and 1 is returned; a
  // cancel returns 0 and leaves path alone.
  virtual int ChooseFile(const char* title, char* path, std::size_t size) {
    (void)title; (void)path; (void)size;
    return 0;
  }

  virtual void SetCaption(const char* text) { (void)text; }
  virtual void SetResultText(const char* text) { (void)text; }
  virtual void RunPreferences() {}
  virtual void CloseWindow() {}
};

// The platform in use; the front end installs its own at start.
void SetPlatform(Platform* platform);
Platform* CurrentPlatform();

// Show a message through the current platform (nothing when none is set).
void ShowMessage(const char* text, const char* caption);
void ShowFileMessage(const char* text, const char* caption, const char* path, const char* reason);

// Show a message through the given platform (nothing when it is null).
void ShowMessageOn(Platform* platform, const char* text, const char* caption);
void ShowFileMessageOn(Platform* platform, const char* text, const char* caption, const char* path,
                       const char* reason);

#endif
