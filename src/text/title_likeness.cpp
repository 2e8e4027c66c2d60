#include "text/title_likeness.h"

#include <algorithm>
#include <utility>

#include "text/ascii_case.h"
#include "text/plain_letters.h"
#include "text/word_pieces.h"

namespace {

// A word of two to four roman numerals ("ii", "iv", "xii"): a number,
// like digits, so that part II and part III of one title never pass for a
// typo.  A lone "i" is as often a word, and "Part I" against "Part II"
// still differs by the number.
bool IsRomanNumber(std::string_view word) {
  if (word.size() < 2 || word.size() > 4) return false;
  for (char c : word) {
    if (c != 'i' && c != 'v' && c != 'x') return false;
  }
  return true;
}

// Adds the piece's letters as a word, and its digits (or the piece itself
// when it is a roman number) to the title's numbers.
void AddPiece(std::string_view piece, TitleShape* shape) {
  // A plain piece's letters are itself, but for the case, which the loop
  // below folds.
  std::string converted;
  std::string_view plain = piece;
  if (!IsPlainWord(piece)) {
    converted = PlainLetters(piece);
    plain = converted;
  }
  std::size_t start = shape->letters.size();
  std::size_t digits_start = shape->digits.size();
  for (char c : plain) {
    if (c >= '0' && c <= '9') {
      shape->digits.push_back(c);
    } else {
      shape->letters.push_back(AsciiLower(c));
    }
  }
  bool has_digits = shape->digits.size() > digits_start;
  std::string_view word = std::string_view(shape->letters).substr(start);
  if (!word.empty() && !has_digits && IsRomanNumber(word)) {
    shape->digits.append(word);
    shape->letters.resize(start);
    has_digits = true;
  }
  if (has_digits) shape->digits.push_back(' ');
  if (shape->letters.size() > start) {
    shape->word_ends.push_back(static_cast<std::uint32_t>(shape->letters.size()));
  }
}

// The indexes of the count longest words, longest first (ties: the first
// written), picked one by one: count is small, and a title is shaped for
// every entry a library holds.
std::vector<std::size_t> LongestWords(const TitleShape& title, std::size_t count) {
  std::vector<std::size_t> order;
  order.reserve(count);
  std::size_t words = title.WordCount();
  while (order.size() < count && order.size() < words) {
    std::size_t best = words;
    for (std::size_t i = 0; i < words; i++) {
      if (std::find(order.begin(), order.end(), i) != order.end()) continue;
      if (best == words || title.Word(i).size() > title.Word(best).size()) best = i;
    }
    order.push_back(best);
  }
  return order;
}

// "tag" and the parts, each after a blank: one key as one allocation.
std::string Key(const char* tag, std::string_view one, std::string_view two = std::string_view()) {
  std::string key(tag);
  key.reserve(key.size() + one.size() + two.size() + 1);
  key.append(one);
  if (!two.empty()) {
    key.push_back(' ');
    key.append(two);
  }
  return key;
}

// The letters in byte order, counted rather than compared: a title's
// letters are many and their kinds few.
std::string SortedLetters(const std::string& letters) {
  std::size_t counts[256] = {};
  for (char c : letters) counts[static_cast<unsigned char>(c)]++;
  std::string sorted;
  sorted.reserve(letters.size());
  for (int byte = 0; byte < 256; byte++) sorted.append(counts[byte], static_cast<char>(byte));
  return sorted;
}

}  // namespace

TitleShape ShapeOfTitle(std::string_view title) {
  TitleShape shape;
  shape.word_ends.reserve(title.size() / 4 + 1);
  shape.letters.reserve(title.size());
  ForEachWordPiece(title, [&](std::string_view piece) { AddPiece(piece, &shape); });
  return shape;
}

std::vector<std::string> TitleKeys(const TitleShape& title) {
  std::vector<std::string> keys;
  keys.reserve(3);
  if (title.WordCount() == 1) keys.push_back(Key("s:", SortedLetters(title.letters)));
  std::vector<std::size_t> longest = LongestWords(title, 3);
  if (longest.size() < 3) {
    for (std::size_t word : longest) keys.push_back(Key("w:", title.Word(word)));
    return keys;
  }
  for (std::size_t i = 0; i < 3; i++) {
    for (std::size_t j = i + 1; j < 3; j++) {
      std::string_view a = title.Word(longest[i]);
      std::string_view b = title.Word(longest[j]);
      keys.push_back(Key("p:", std::min(a, b), std::max(a, b)));
    }
  }
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
