// Whether two titles name one work as two exports write it: letter case,
// braces, punctuation, a trailing period, accents in any form, markup
// commands and simple math never count, and a small typo does not either.
#ifndef TAMREL_TEXT_TITLE_LIKENESS_H
#define TAMREL_TEXT_TITLE_LIKENESS_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A title as the rules compare it: its words as plain lower-case letters
// (text/plain_letters.h), parted where the title has blanks, ties or
// punctuation (text/word_pieces.h), and the title's numbers in order: its digits and its words
// of roman numerals ("II", "iv").
struct TitleShape {
  std::string letters;                   // the words run together, roman numbers left out
  std::vector<std::uint32_t> word_ends;  // where each word ends in letters
  std::string digits;                    // each word's digits or roman number, then a blank

  std::size_t WordCount() const { return word_ends.size(); }
  std::string_view Word(std::size_t i) const {
    std::size_t begin = i == 0 ? 0 : word_ends[i - 1];
    return std::string_view(letters).substr(begin, word_ends[i] - begin);
  }
};

TitleShape ShapeOfTitle(std::string_view title);

// The texts under which an index notes a title: each pair of the title's
// three longest words (ties: the first written), or each word of a title
// of two words, or of one word and its letters sorted (a swap of two
// letters keeps them).  An edit changes one word, and the other two of the
// three longest stay among the three longest, so a title and its copy
// with one typo share one of them, and TitlesAlike asks for one in common.
// Empty for a title without letters.
std::vector<std::string> TitleKeys(const TitleShape& title);

// 1 when two titles are alike: the same numbers, letters at most
// MaxTitleEdits apart (a letter added, dropped or changed, or two
// neighbours swapped, each counting one), and one of TitleKeys in common.
int TitlesAlike(const TitleShape& a, const TitleShape& b);

// The edits two titles of that many letters (the longer's) may differ by:
// one in sixteen letters, rounded, at least one.  A title's typo costs one
// or two; two different titles of one author differ in whole words.
std::size_t MaxTitleEdits(std::size_t letters);

// The edits between a and b when at most limit; otherwise limit + 1.
std::size_t BoundedEditDistance(std::string_view a, std::string_view b, std::size_t limit);

// 1 when the title announces a correction or a reply to another work
// ("Erratum: ...", "Comment on ...", "Reply to ...", "Retraction ..."):
// such a notice is never the work it corrects, however alike the rest.
int IsNoticeTitle(const TitleShape& title);

#endif
