#include "text/title_likeness.h"

#include <algorithm>

#include "text/plain_letters.h"

namespace {

// Where a title parts into words: blanks, ties and ASCII punctuation.  A
// backslash starts a command and braces group letters ("M{\\"u}ller",
// "{DNA}", "\\emph{word}"), which PlainLetters reads within the word.
bool PartsWords(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  if (byte >= 0x80 || c == '\\' || c == '{' || c == '}') return false;
  return !((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'));
}

// A word of two to four roman numerals ("ii", "iv", "xii"): a number,
// like digits, so that part II and part III of one title never pass for a
// typo.  A lone "i" is as often a word, and "Part I" against "Part II"
// still differs by the number.
bool IsRomanNumber(const std::string& word) {
  if (word.size() < 2 || word.size() > 4) return false;
  for (char c : word) {
    if (c != 'i' && c != 'v' && c != 'x') return false;
  }
  return true;
}

// Adds the piece's letters as a word, and its digits (or the piece itself
// when it is a roman number) to the title's numbers.
void AddPiece(std::string_view piece, TitleShape* shape) {
  std::string plain = PlainLetters(piece);
  std::string word;
  std::string digits;
  for (char c : plain) {
    if (c >= '0' && c <= '9') {
      digits.push_back(c);
    } else {
      word.push_back(c);
    }
  }
  if (!word.empty() && digits.empty() && IsRomanNumber(word)) digits.swap(word);
  if (!digits.empty()) shape->digits += digits + " ";
  if (word.empty()) return;
  shape->letters += word;
  shape->words.push_back(word);
}

// The index of the longest word not yet taken (ties: the first).
std::size_t LongestWord(const TitleShape& title, std::size_t skip) {
  std::size_t best = title.words.size();
  for (std::size_t i = 0; i < title.words.size(); i++) {
    if (i == skip) continue;
    if (best == title.words.size() || title.words[i].size() > title.words[best].size()) best = i;
  }
  return best;
}

}  // namespace

TitleShape ShapeOfTitle(std::string_view title) {
  TitleShape shape;
  std::size_t start = 0;
  for (std::size_t at = 0; at <= title.size(); at++) {
    // The sign after a backslash is a command's (\' \& \"), never a parting.
    if (at + 1 < title.size() && title[at] == '\\') {
      at++;
      continue;
    }
    if (at < title.size() && !PartsWords(title[at])) continue;
    if (at > start) AddPiece(title.substr(start, at - start), &shape);
    start = at + 1;
  }
  return shape;
}

std::vector<std::string> TitleKeys(const TitleShape& title) {
  std::vector<std::string> keys;
  if (title.letters.empty()) return keys;
  std::string sorted = title.letters;
  std::sort(sorted.begin(), sorted.end());
  keys.push_back("s:" + sorted);
  std::size_t first = LongestWord(title, title.words.size());
  keys.push_back("w:" + title.words[first]);
  std::size_t second = LongestWord(title, first);
  if (second < title.words.size()) keys.push_back("w:" + title.words[second]);
  return keys;
}

std::size_t MaxTitleEdits(std::size_t letters) { return std::max<std::size_t>(1, (letters + 8) / 16); }

// Optimal string alignment: insertions, deletions, changes and swaps of
// neighbours each cost one.  Only the cells within limit of the diagonal
// can stay within limit, so a row costs 2 * limit + 1 cells, not a whole
// title.
std::size_t BoundedEditDistance(std::string_view a, std::string_view b, std::size_t limit) {
  std::size_t n = a.size(), m = b.size();
  if ((n > m ? n - m : m - n) > limit) return limit + 1;
  const std::size_t kFar = limit + 1;
  std::vector<std::size_t> before(m + 1, kFar), row(m + 1, kFar), next(m + 1, kFar);
  for (std::size_t j = 0; j <= std::min(m, limit); j++) row[j] = j;
  for (std::size_t i = 1; i <= n; i++) {
    std::fill(next.begin(), next.end(), kFar);
    std::size_t from = i > limit ? i - limit : 0;
    std::size_t to = std::min(m, i + limit);
    if (from == 0) next[0] = i;
    std::size_t best = next[0];
    for (std::size_t j = std::max<std::size_t>(from, 1); j <= to; j++) {
      std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
      std::size_t cell = std::min({row[j - 1] + cost, row[j] + 1, next[j - 1] + 1});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        cell = std::min(cell, before[j - 2] + 1);
      }
      next[j] = std::min(cell, kFar);
      best = std::min(best, next[j]);
    }
    if (best > limit) return kFar;
    before.swap(row);
    row.swap(next);
  }
  return std::min(row[m], kFar);
}

int TitlesAlike(const TitleShape& a, const TitleShape& b) {
  if (a.digits != b.digits) return 0;
  if (a.letters == b.letters) return 1;
  std::size_t limit = MaxTitleEdits(std::max(a.letters.size(), b.letters.size()));
  if (BoundedEditDistance(a.letters, b.letters, limit) > limit) return 0;
  std::vector<std::string> keys_a = TitleKeys(a);
  for (const std::string& key : TitleKeys(b)) {
    if (std::find(keys_a.begin(), keys_a.end(), key) != keys_a.end()) return 1;
  }
  return 0;
}

int IsNoticeTitle(const TitleShape& title) {
  static const char* const kOpenings[] = {"erratum",     "errata",       "corrigendum", "corrigenda",
                                          "addendum",    "retraction",   "commenton",   "commentson",
                                          "replyto",     "responseto",   "publishersnote",
                                          "authorcorrection", "correctionto"};
  for (const char* opening : kOpenings) {
    if (title.letters.compare(0, std::char_traits<char>::length(opening), opening) == 0) return 1;
  }
  return 0;
}
