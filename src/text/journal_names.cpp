#include "text/journal_names.h"

#include "text/ascii_case.h"
#include "text/plain_letters.h"
#include "text/word_pieces.h"

namespace {

// word: plain letters, or a plain piece in any letter case.
bool IsDroppedWord(std::string_view word) {
  static const char* const kDropped[] = {"the", "of", "and", "in", "for", "on"};
  for (const char* dropped : kDropped) {
    if (SameIgnoringCase(word, dropped)) return true;
  }
  return false;
}

bool HoldsDigit(const std::string& word) {
  for (char c : word) {
    if (c >= '0' && c <= '9') return true;
  }
  return false;
}

// 1 when short_word abbreviates long_word: the same first letter, then the
// rest of its letters found in order in long_word.
int Abbreviates(const std::string& short_word, const std::string& long_word) {
  if (short_word.size() > long_word.size() || short_word[0] != long_word[0]) return 0;
  std::size_t at = 1;
  for (std::size_t i = 1; i < short_word.size(); i++) {
    while (at < long_word.size() && long_word[at] != short_word[i]) at++;
    if (at == long_word.size()) return 0;
    at++;
  }
  return 1;
}

int WordsAgree(const std::string& a, const std::string& b) {
  if (a == b) return 1;
  if (HoldsDigit(a) || HoldsDigit(b)) return 0;
  return Abbreviates(a, b) || Abbreviates(b, a);
}

}  // namespace

std::vector<std::string> JournalWords(std::string_view journal) {
  std::vector<std::string> words;
  for (std::string_view piece : WordPieces(journal)) {
    std::string word = PlainLetters(piece);
    if (!word.empty() && !IsDroppedWord(word)) words.push_back(word);
  }
  return words;
}

int JournalsAgree(std::string_view a, std::string_view b) {
  std::vector<std::string> words_a = JournalWords(a);
  std::vector<std::string> words_b = JournalWords(b);
  if (words_a.size() != words_b.size()) return 0;
  for (std::size_t i = 0; i < words_a.size(); i++) {
    if (!WordsAgree(words_a[i], words_b[i])) return 0;
  }
  return 1;
}

// The initials of JournalWords, without building the words: every
// library entry's journal is noted by them.
std::string JournalInitials(std::string_view journal) {
  std::string initials;
  ForEachWordPiece(journal, [&](std::string_view piece) {
    if (IsPlainWord(piece)) {
      if (!IsDroppedWord(piece)) initials.push_back(AsciiLower(piece[0]));
      return;
    }
    std::string word = PlainLetters(piece);
    if (!word.empty() && !IsDroppedWord(word)) initials.push_back(word[0]);
  });
  return initials;
}
