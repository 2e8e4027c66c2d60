// The operations' messages on the page: kept in order, each with its file
// and the system's reason where there is one, for the page to show.
#ifndef TAMREL_WEB_COLLECTED_MESSAGES_H
#define TAMREL_WEB_COLLECTED_MESSAGES_H

#include <string>
#include <vector>

#include "app/platform.h"

struct PageMessage {
  std::string caption;
  std::string text;
  std::string path;    // "" for a message about no one file
  std::string reason;  // the system's reason, "" when none was given
};

class CollectedMessages : public Platform {
 public:
  void ShowMessage(const char* text, const char* caption) override;
  void ShowFileMessage(const char* text, const char* caption, const char* path,
                       const char* reason) override;

  const std::vector<PageMessage>& messages() const { return messages_; }

 private:
  std::vector<PageMessage> messages_;
};

#endif
