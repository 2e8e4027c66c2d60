// The BibTeX reader, case by case: each case gives a file and the blocks it
// must read into (kind, line, type, key, fields, problems), written by hand.
// Every case also checks the properties that hold for any input: the blocks
// cover the file exactly, in order; an entry's key and value ranges lie in
// its block and hold the key as written.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bibtex/bib_file.h"

namespace {

// Shows bytes with the line ends and unusual bytes visible.
std::string Shown(const std::string& bytes) {
  std::string out;
  for (unsigned char ch : bytes) {
    if (ch == '\n') {
      out += "\\n";
    } else if (ch == '\r') {
      out += "\\r";
    } else if (ch == '\t') {
      out += "\\t";
    } else if (ch < 0x20 || ch >= 0x7f) {
      static const char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[ch >> 4];
      out += kHex[ch & 15];
    } else {
      out += static_cast<char>(ch);
    }
  }
  return out;
}

std::string Slice(const std::string& input, std::size_t begin, std::size_t end) {
  return input.substr(begin, end - begin);
}

// One line per block:
//   text 'BYTES'
//   entry L<line> TYPE{KEY} name=[value] ...  (macros: a b)
//   string L<line> NAME = [value]
//   preamble L<line> [value]
//   comment L<line> 'BYTES'
//   malformed L<line> PROBLEM 'BYTES'
std::string Describe(const std::string& input, const BibBlock& block) {
  std::string line = "L" + std::to_string(block.line) + " ";
  std::string out;
  switch (block.kind) {
    case BIB_TEXT:
      return "text '" + Shown(Slice(input, block.begin, block.end)) + "'";
    case BIB_COMMENT:
      return "comment " + line + "'" + Shown(Slice(input, block.begin, block.end)) + "'";
    case BIB_MALFORMED:
      return "malformed " + line + std::string(block.problem) + " '" +
             Shown(Slice(input, block.begin, block.end)) + "'";
    case BIB_STRING:
      out = "string " + line + std::string(block.key) + " =";
      break;
    case BIB_PREAMBLE:
      out = "preamble " + line;
      out.pop_back();
      break;
    case BIB_ENTRY:
      out = "entry " + line + std::string(block.type) + "{" + Shown(std::string(block.key)) + "}";
      break;
  }
  for (const BibField& field : block.fields) {
    out += " ";
    if (block.kind == BIB_ENTRY) out += std::string(field.name) + "=";
    out += "[" + Shown(std::string(field.value)) + "]";
  }
  if (!block.macros.empty()) {
    out += " (macros:";
    for (const std::string& macro : block.macros) out += " " + macro;
    out += ")";
  }
  return out;
}

// The properties every reading has; returns the description of the blocks.
std::vector<std::string> ReadChecked(const std::string& input, BibFile* file) {
  ReadBibFile(input.data(), input.size(), file);
  std::vector<std::string> described;
  std::string joined;
  std::size_t at = 0;
  int line = 1;
  for (const BibBlock& block : file->blocks) {
    EXPECT_EQ(block.begin, at) << "blocks leave a gap or overlap";
    EXPECT_LT(block.begin, block.end) << "empty block";
    EXPECT_LE(block.end, input.size());
    if (block.end > input.size() || block.begin > block.end) break;
    joined += Slice(input, block.begin, block.end);
    at = block.end;
    EXPECT_EQ(block.line, line) << Describe(input, block);
    for (std::size_t i = block.begin; i < block.end; i++) line += input[i] == '\n';
    if (block.kind == BIB_ENTRY || block.kind == BIB_STRING) {
      EXPECT_LE(block.begin, block.key_begin);
      EXPECT_LE(block.key_begin, block.key_end);
      EXPECT_LE(block.key_end, block.end);
      EXPECT_EQ(Slice(input, block.key_begin, block.key_end), block.key);
    }
    for (const BibField& field : block.fields) {
      EXPECT_LE(block.begin, field.value_begin);
      EXPECT_LE(field.value_begin, field.value_end);
      EXPECT_LE(field.value_end, block.end);
      // bibtex trims a field's value, not a preamble's
      EXPECT_TRUE(block.kind == BIB_PREAMBLE || field.value.empty() ||
                  (field.value.front() != ' ' && field.value.back() != ' '))
          << "[" << field.value << "]";
    }
    if (block.kind != BIB_TEXT) {
      EXPECT_EQ(input[block.begin], '@');
    }
    described.push_back(Describe(input, block));
  }
  EXPECT_EQ(joined, input) << "the blocks do not cover the file";
  return described;
}

struct Case {
  const char* name;
  std::string input;
  std::vector<std::string> blocks;
  std::vector<std::string> problems;
};

std::ostream& operator<<(std::ostream& out, const Case& c) { return out << c.name; }

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      // ---- value forms ----
      {"braced", "@article{k, title = {Foo  Bar}}", {"entry L1 article{k} title=[Foo Bar]"}, {}},
      {"quoted", "@article{k, title = \"Foo Bar\"}", {"entry L1 article{k} title=[Foo Bar]"}, {}},
      {"quote_inside_braces", "@article{k, title = \"Foo {\"} bar\"}",
       {"entry L1 article{k} title=[Foo {\"} bar]"}, {}},
      {"number", "@article{k, year = 2000, volume=12}",
       {"entry L1 article{k} year=[2000] volume=[12]"}, {}},
      {"nested_braces", "@article{k, title = {A {B {C}} D}}",
       {"entry L1 article{k} title=[A {B {C}} D]"}, {}},
      {"empty_values", "@article{k, a = {}, b = \"\", c = { }}",
       {"entry L1 article{k} a=[] b=[] c=[]"}, {}},
      {"white_space_runs", "@article{k, title = {\t A \t\n  B\r\n C  }}",
       {"entry L1 article{k} title=[A B C]"}, {}},
      {"concatenation", "@string{jp = \"J. Phys.\"}\n@article{k, t = \"A \" # jp # { B} # 12}",
       {"string L1 jp = [J. Phys.]", "text '\\n'",
        "entry L2 article{k} t=[A J. Phys. B12] (macros: jp)"},
       {}},
      {"concatenation_keeps_blanks_of_macro",
       "@string{sp = \" x \"}\n@article{k, t = \"[\" # sp # \"]\"}",
       {"string L1 sp = [x]", "text '\\n'", "entry L2 article{k} t=[[ x ]] (macros: sp)"},
       {}},
      {"month_macros", "@article{k, month = jan, m2 = DEC, m3 = \"1~\" # Feb}",
       {"entry L1 article{k} month=[January] m2=[December] m3=[1~February] (macros: jan dec feb)"},
       {}},
      {"string_override",
       "@string{x = \"one\"}\n@article{a, f = x}\n@STRING{X = {two}}\n@article{b, f = x # x}\n",
       {"string L1 x = [one]", "text '\\n'", "entry L2 article{a} f=[one] (macros: x)",
        "text '\\n'", "string L3 X = [two]", "text '\\n'",
        "entry L4 article{b} f=[twotwo] (macros: x)", "text '\\n'"},
       {}},
      {"month_override", "@string{jan = \"Jan.\"}\n@misc{k, month = jan}",
       {"string L1 jan = [Jan.]", "text '\\n'", "entry L2 misc{k} month=[Jan.] (macros: jan)"}, {}},
      {"string_uses_string", "@string{a = \"A\"}@string{b = a # \"B\" # c}\n\n",
       { "string L1 a = [A]", "string L1 b = [ABc] (macros: a c)", "text '\\n\\n'" },
       {"line 1: undefined string 'c'"}},
      // An undefined string reads as its name, as written.
      {"undefined_macro", "@article{k,\n  journal = foo # \" x\",\n  note = Foo}",
       {"entry L1 article{k} journal=[foo x] note=[Foo] (macros: foo)"},
       {"line 2: undefined string 'foo'", "line 3: undefined string 'Foo'"}},
      {"string_parens", "@string(jp = \"J. Phys.\")\n@misc(k, j = jp)",
       {"string L1 jp = [J. Phys.]", "text '\\n'", "entry L2 misc{k} j=[J. Phys.] (macros: jp)"},
       {}},
      // ---- layout ----
      {"parens", "@article(k, title = {a)b}, year = 1999)\n",
       {"entry L1 article{k} title=[a)b] year=[1999]", "text '\\n'"}, {}},
      {"parens_with_braces_inside", "@article(k, title = \"(x)\")",
       {"entry L1 article{k} title=[(x)]"}, {}},
      {"one_line_entries", "@a{k1,f={1}}@b{k2,f={2}} @c{k3}\n\n",
       { "entry L1 a{k1} f=[1]", "entry L1 b{k2} f=[2]", "text ' '", "entry L1 c{k3}",
        "text '\\n\\n'" },
       {}},
      {"jabref_layout",
       "% comment line\n\n@ARTICLE{Smith2001,\n  author = {Smith, John},\n  year = {2001}\n}\n\n",
       {"text '% comment line\\n\\n'",
        "entry L3 ARTICLE{Smith2001} author=[Smith, John] year=[2001]",
        "text '\\n\\n'"},
       {}},
      {"close_on_field_line", "@ARTICLE{k,\n  title = {T},\n  year = {2000}}\n",
       {"entry L1 ARTICLE{k} title=[T] year=[2000]", "text '\\n'"}, {}},
      {"trailing_comma", "@article{k,\n  title = {T},\n}\n",
       {"entry L1 article{k} title=[T]", "text '\\n'"}, {}},
      {"fields_on_one_line_value_over_lines",
       "@book{k, a = {1}, b = \"2\",\n c = {three\n  lines\n  long}, d = 4 }",
       {"entry L1 book{k} a=[1] b=[2] c=[three lines long] d=[4]"}, {}},
      {"blanks_around_at_and_type", "@ article {k, t = {x}}\n@\tbook\n(k2)",
       { "entry L1 article{k} t=[x]", "text '\\n'", "entry L2 book{k2)}" },
        { "line 3: end of file inside the entry; the entry 'k2)' (line 2) is read up to there, as bibtex reads it" }},


      {"key_on_next_line", "@article{\n  k,\n  t = {x}\n}",
       {"entry L1 article{k} t=[x]"}, {}},
      {"no_fields", "@misc{k}\n@misc{k2,}", {"entry L1 misc{k}", "text '\\n'", "entry L2 misc{k2}"},
       {}},
      {"empty_key", "@Book{,\n  title = {x}\n}\n", {"entry L1 Book{} title=[x]", "text '\\n'"},
       {}},
      {"case_of_types_and_fields", "@ArTiCLE{Key, TiTle = {X}, YEAR = 1}",
       {"entry L1 ArTiCLE{Key} title=[X] year=[1]"}, {}},
      {"repeated_field_kept_in_order", "@misc{k, a = {1}, A = {2}}",
       {"entry L1 misc{k} a=[1] a=[2]"}, {}},
      {"field_name_characters", "@misc{k, my-field.x:y_2 = {v}}",
       {"entry L1 misc{k} my-field.x:y_2=[v]"}, {}},
      // ---- bytes ----
      {"crlf", "@article{k,\r\n  title = {A\r\n  B}\r\n}\r\n\r\n@misc{m}",
       {"entry L1 article{k} title=[A B]", "text '\\r\\n\\r\\n'", "entry L6 misc{m}"}, {}},
      {"bom", "\xEF\xBB\xBF@article{k, t = {x}}\n",
       {"text '\\xEF\\xBB\\xBF'", "entry L1 article{k} t=[x]", "text '\\n'"}, {}},
      {"latin1_and_utf8", "@article{M\xFCller, author = {M\xFCller and Mu\xCC\x88ller}}",
       {"entry L1 article{M\\xFCller} author=[M\\xFCller and Mu\\xCC\\x88ller]"}, {}},
      {"nul_bytes", std::string("a\0b\n@misc{k, t = {x\0y}}\0", 24),
       {"text 'a\\x00b\\n'", "entry L2 misc{k} t=[x\\x00y]", "text '\\x00'"}, {}},
      // ---- other blocks ----
      {"preamble", "@preamble{\"\\newcommand{\\x}{y}\" # \" z\"}\n",
       {"preamble L1 [\\newcommand{\\x}{y} z]", "text '\\n'"}, {}},
      {"empty_preamble", "@PREAMBLE{ }", {"preamble L1 []"}, {}},
      {"comment_group", "@comment{some {nested} text}\n@Comment(jabref-meta: x;)\n",
       {"comment L1 '@comment{some {nested} text}'", "text '\\n'",
        "comment L2 '@Comment(jabref-meta: x;)'", "text '\\n'"},
       {}},
      {"comment_rest_of_line", "@comment this is { not a group\r\n@misc{k}",
       {"comment L1 '@comment this is { not a group'", "text '\\r\\n'", "entry L2 misc{k}"}, {}},
      {"comment_at_end", "x\n@COMMENT", {"text 'x\\n'", "comment L2 '@COMMENT'"}, {}},
      {"at_in_text", "mail me@example.org or @ here, @foo bar\n@misc{k}",
       {"text 'mail me@example.org or @ here, @foo bar\\n'", "entry L2 misc{k}"}, {}},
      {"at_then_identifier_then_brace_in_text", "see x@misc{k}",
       {"text 'see x'", "entry L1 misc{k}"}, {}},
      {"only_text", "no entries here\n", {"text 'no entries here\\n'"}, {}},
      {"empty_file", "", {}, {}},
      // ---- malformed blocks and resumption ----
      {"unbalanced_braces",
       "@article{a,\n title = {Foo {{bar},\n year = 2000\n}\n\n@book{b, title = {ok}}\n",
       { "entry L1 article{a}" },
       { "line 2: the value opened here never closes: bibtex reads the rest of the file into it; the entry 'a' (line 1) is read up to there, as bibtex reads it" }},


      {"unbalanced_resumes_after_blanks",
       "@article{a,\n  title = {x\n  @book{b, title={y}}\n",
       { "entry L1 article{a}" },
       { "line 2: the value opened here never closes: bibtex reads the rest of the file into it; the entry 'a' (line 1) is read up to there, as bibtex reads it" }},


      {"extra_close_brace", "@misc{a, t = \"x}\"}\n@misc{b}",
       { "entry L1 misc{a}", "text '\"}\\n'", "entry L2 misc{b}" },
       { "line 1: unbalanced braces; the entry 'a' (line 1) is read up to there, as bibtex reads it" }},


      {"no_key", "@article{title = {x}}\n@book{b}\n",
       { "entry L1 article{title}", "text '\\n'", "entry L2 book{b}", "text '\\n'" },
       { "line 1: missing ',' after the key; the entry 'title' (line 1) is read up to there, as bibtex reads it" }},


      {"no_key_without_blanks", "@article{title={x}}\n",
       { "entry L1 article{title={x}", "text '}\\n'" }, {}},
      {"missing_equals", "@article{k, title {x}}\n@misc{m}",
       { "entry L1 article{k}", "text '\\n'", "entry L2 misc{m}" },
       { "line 1: missing '='; the entry 'k' (line 1) is read up to there, as bibtex reads it" }},
      {"bad_value", "@article{k, title = ,}\n@article{j, year = 2000a}\n",
       { "entry L1 article{k}", "text '\\n'", "entry L2 article{j} year=[2000]", "text '\\n'" },
       { "line 1: bad value; the entry 'k' (line 1) is read up to there, as bibtex reads it",
        "line 2: missing ',' between fields; the entry 'j' (line 2) is read up to there, as bibtex reads it" }},


      {"eof_inside", "text\n@article{k, title = {x},\n year = 2000\n",
       { "text 'text\\n'", "entry L2 article{k} title=[x]" },
       { "line 4: end of file inside the entry; the entry 'k' (line 2) is read up to there, as bibtex reads it" }},


      {"eof_inside_quote", "@misc{k, t = \"abc", { "entry L1 misc{k}" },
       { "line 1: the value opened here never closes: bibtex reads the rest of the file into it; the entry 'k' (line 1) is read up to there, as bibtex reads it" }},


      {"eof_after_hash", "@misc{k, t = a #", { "entry L1 misc{k} (macros: a)" },
       { "line 1: undefined string 'a'",
        "line 1: end of file inside the entry; the entry 'k' (line 1) is read up to there, as bibtex reads it" }},


      {"entry_not_closed", "@article{a, title = {x},\n@book{b, t = {y}}\n",
       { "entry L1 article{a} title=[x]", "text '\\n'" },
       { "line 2: entry not closed; the entry 'a' (line 1) is read up to there, as bibtex reads it" }},


      {"missing_comma_between_fields", "@misc{k, a = {1} b = {2}}\n",
       { "entry L1 misc{k} a=[1]", "text '\\n'" },
       { "line 1: missing ',' between fields; the entry 'k' (line 1) is read up to there, as bibtex reads it" }},


      {"key_with_blank", "@misc{my key, a = {1}}\n",
       { "entry L1 misc{my}", "text '\\n'" },
       { "line 1: missing ',' after the key; the entry 'my' (line 1) is read up to there, as bibtex reads it" }},


      {"malformed_string_defines_nothing",
       "@string{x = {a}\n@misc{k, t = x}\n",
       { "string L1 x = [a]", "text '@misc{k, t = x}\\n'" },
       { "line 2: string not closed; the string 'x' (line 1) is read up to there, as bibtex reads it",

        "line 2: bibtex reads no further on the file's last line, nothing after here" }},
      {"malformed_comment_group", "@comment{ open\n@misc{k}",
       { "comment L1 '@comment'", "text '{ open\\n'", "entry L2 misc{k}" },
       {}},
      {"undefined_in_malformed_block_not_reported", "@misc{k, t = foo, u = {\n@misc{j}",
       { "entry L1 misc{k} t=[foo] (macros: foo)" },
       { "line 1: undefined string 'foo'",
        "line 1: the value opened here never closes: bibtex reads the rest of the file into it; the entry 'k' (line 1) is read up to there, as bibtex reads it" }},


      {"malformed_to_end_of_file", "@misc{k, t = {\nno more entries\n  @ but at here\n",
       { "entry L1 misc{k}" },
       { "line 1: the value opened here never closes: bibtex reads the rest of the file into it; the entry 'k' (line 1) is read up to there, as bibtex reads it" }},


      {"many_malformed_in_a_row", "@a{\n@b{k,\n@c{k, x}\n@d{k}",
       { "entry L1 a{@b{k}", "text '\\n'", "entry L4 d{k}" },
       { "line 3: entry not closed; the entry '@b{k' (line 1) is read up to there, as bibtex reads it" }},


      {"missing_field_name", "@misc{k, = {x}}\n",
       { "entry L1 misc{k}", "text '\\n'" },
        { "line 1: missing field name; the entry 'k' (line 1) is read up to there, as bibtex reads it" }},


      {"string_without_name", "@string{ = {x}}", {"malformed L1 no string name '@string{ = {x}}'"},
       {"line 1: no string name"}},
      {"string_trailing_comma_and_number", "@string{x = 1999,}@string{y = {2}, z = {3}}\n",
       { "string L1 x = [1999]", "text '@string{y = {2}, z = {3}}\\n'" },
       { "line 1: string not closed; the string 'x' (line 1) is read up to there, as bibtex reads it",

        "line 1: bibtex reads no further on the file's last line, nothing after here" }},
      {"preamble_not_closed", "@preamble{\"a\" \"b\"}",
       { "preamble L1 [a]" },
       { "line 1: preamble not closed; the preamble (line 1) is read up to there, as bibtex reads it" }},


      {"paren_comment_not_closed", "@comment(abc\n@misc{k}\n",
       { "comment L1 '@comment'", "text '(abc\\n'", "entry L2 misc{k}", "text '\\n'" },
       {}},
      // ---- as bibtex 0.99d reads them (each checked with bibtex) ----
      {"key_characters", "@misc{a=b:c+/d(\xC3\xA9, title = {x}}\n@book(p), title = {P})\n\n",
       { "entry L1 misc{a=b:c+/d(\\xC3\\xA9} title=[x]", "text '\\n'",
       "entry L2 book{p)} title=[P]", "text '\\n\\n'" }, {}},
      {"zotero_commented_field",
       "@article{z,\n  author = {A},\n  %isbn = {1},\n  title = {T}\n}\n@misc{n}\n\n",
        { "entry L1 article{z} author=[A]", "text '\\n'", "entry L6 misc{n}", "text '\\n\\n'" },
        { "line 3: missing field name; the entry 'z' (line 1) is read up to there, as bibtex reads it" }},


      {"entry_inside_comment", "@comment{ @misc{inside, title = {C}} }\n\n",
       { "comment L1 '@comment'", "text '{ '", "entry L1 misc{inside} title=[C]",
       "text ' }\\n\\n'" }, {}},
      {"macro_in_its_own_definition",
       "@string{l = \"old\"}\n@string{L = \"[\" # l # \"]\"}\n@misc{k, t = L}\n\n",
       { "string L1 l = [old]", "text '\\n'", "string L2 L = [[]] (macros: l)", "text '\\n'",
       "entry L3 misc{k} t=[[]] (macros: l)", "text '\\n\\n'" },
       { "line 2: string 'l' used in its own definition reads as empty" }},
      {"preamble_keeps_blanks", "@preamble{ \" a \" }\n@preamble{ \"[\" # { b } # \"]\" }\n\n",
       { "preamble L1 [ a ]", "text '\\n'", "preamble L2 [[ b ]]", "text '\\n\\n'" }, {}},
      {"last_line_read_once", "@misc{a}\n@misc{b} @misc{c}\n", { "entry L1 misc{a}", "text '\\n'",
       "entry L2 misc{b}", "text ' @misc{c}\\n'" },
       { "line 2: bibtex reads no further on the file's last line, nothing after here" }},
      {"crlf_adds_a_last_line", "@misc{a} @misc{b}\r\n", { "entry L1 misc{a}", "text ' '",
       "entry L1 misc{b}", "text '\\r\\n'" }, {}},
      {"number_then_junk_keeps_the_number", "@misc{k, year = 2000abc, note = {x}}\n\n",
       { "entry L1 misc{k} year=[2000]", "text '\\n\\n'" },
       { "line 1: missing ',' between fields; the entry 'k' (line 1) is read up to there, as bibtex reads it" }},


      {"repeated_key_with_an_error_resumes_after_its_key",
       "@misc{k, t = {a}}\n@misc{K, t = {unclosed\n@misc{j, t = {J}}\n\n",
        { "entry L1 misc{k} t=[a]", "text '\\n'", "entry L2 misc{K}", "text '\\n'",
        "entry L3 misc{j} t=[J]", "text '\\n\\n'" },
        { "line 2: the value opened here never closes; the entry 'K' (line 2) repeats a key: bibtex skips it and reads on at the next '@'" }},

      {"paren_comment_ends_at_first_paren", "@comment(a (b) c)",
       {"comment L1 '@comment(a (b)'", "text ' c)'"}, {}},
  };
  return cases;
}

class ReaderCase : public ::testing::TestWithParam<Case> {};

TEST_P(ReaderCase, ReadsAsWritten) {
  const Case& c = GetParam();
  BibFile file;
  std::vector<std::string> blocks = ReadChecked(c.input, &file);
  EXPECT_EQ(blocks, c.blocks);
  EXPECT_EQ(file.problems, c.problems);
}

INSTANTIATE_TEST_SUITE_P(Bib, ReaderCase, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           return std::string(info.param.name);
                         });

// ---- byte ranges ----

TEST(BibReader, KeyAndValueRangesAreTheTextAsWritten) {
  std::string input =
      "@string{ jp = \"J.\" # { P.} }\n"
      "@Article{ Key1 ,\n  Title = {A\n B} ,\n  j = \"x\" # jp\t# 12,\n  n = 7}\n";
  BibFile file;
  ReadChecked(input, &file);
  ASSERT_EQ(file.blocks.size(), 4u);
  const BibBlock& string_block = file.blocks[0];
  EXPECT_EQ(Slice(input, string_block.key_begin, string_block.key_end), "jp");
  EXPECT_EQ(Slice(input, string_block.fields[0].value_begin, string_block.fields[0].value_end),
            "\"J.\" # { P.}");
  EXPECT_EQ(string_block.fields[0].name, "jp");
  EXPECT_EQ(string_block.fields[0].value, "J. P.");
  const BibBlock& entry = file.blocks[2];
  EXPECT_EQ(entry.kind, BIB_ENTRY);
  EXPECT_EQ(entry.type, "Article");
  EXPECT_EQ(entry.key, "Key1");
  EXPECT_EQ(entry.begin, input.find("@Article"));
  EXPECT_EQ(entry.end, input.size() - 1);
  EXPECT_EQ(entry.line, 2);
  ASSERT_EQ(entry.fields.size(), 3u);
  EXPECT_EQ(Slice(input, entry.fields[0].value_begin, entry.fields[0].value_end), "{A\n B}");
  EXPECT_EQ(Slice(input, entry.fields[1].value_begin, entry.fields[1].value_end),
            "\"x\" # jp\t# 12");
  EXPECT_EQ(entry.fields[1].value, "xJ. P.12");
  EXPECT_EQ(Slice(input, entry.fields[2].value_begin, entry.fields[2].value_end), "7");
  const BibField* title = FindField(entry, "title");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->value, "A B");
  EXPECT_TRUE(EntryTypeIs(entry, "ARTICLE"));
}

TEST(BibReader, PreambleValueRange) {
  std::string input = "@preamble{ \"a\" # \"b\" }";
  BibFile file;
  ReadChecked(input, &file);
  ASSERT_EQ(file.blocks.size(), 1u);
  ASSERT_EQ(file.blocks[0].fields.size(), 1u);
  const BibField& field = file.blocks[0].fields[0];
  EXPECT_EQ(Slice(input, field.value_begin, field.value_end), "\"a\" # \"b\"");
  EXPECT_EQ(field.value, "ab");
}

// ---- data that is not NUL-terminated ----

TEST(BibReader, ReadsOnlyTheGivenSize) {
  // The size cuts the entry short; the bytes after it must not count.
  const char data[] = "@misc{k, t = {x}}";
  BibFile file;
  ReadBibFile(data, 15, &file);
  ASSERT_EQ(file.blocks.size(), 1u);
  EXPECT_EQ(file.blocks[0].kind, BIB_ENTRY);  // its key is read, its value is not
  EXPECT_TRUE(file.blocks[0].fields.empty());
  EXPECT_EQ(file.blocks[0].end, 15u);
  ReadBibFile(data, 0, &file);
  EXPECT_TRUE(file.blocks.empty());
  ReadBibFile(nullptr, 0, &file);
  EXPECT_TRUE(file.blocks.empty());
  EXPECT_TRUE(file.problems.empty());
}

TEST(BibReader, ReadingAgainClearsTheFile) {
  BibFile file;
  std::string bad = "@misc{k, t = {\n";
  ReadBibFile(bad.data(), bad.size(), &file);
  EXPECT_EQ(file.problems.size(), 1u);
  std::string good = "@misc{k}";
  ReadBibFile(good.data(), good.size(), &file);
  EXPECT_EQ(file.blocks.size(), 1u);
  EXPECT_TRUE(file.problems.empty());
}

// Each data prefix of a file: any cut must still read into a cover.
TEST(BibReader, EveryPrefixIsCovered) {
  std::string input =
      "\xEF\xBB\xBF@string{jp = \"J.\" # {P}}\r\n@Article{k1,\r\n  title = {A {B} \"C\"},\r\n"
      "  month = jan # jp,\r\n}\r\n@comment{x}@preamble(\"p\")@misc(k2, a = 1)\n";
  for (std::size_t size = 0; size <= input.size(); size++) {
    std::string prefix = input.substr(0, size);
    BibFile file;
    ReadChecked(prefix, &file);
  }
}

// ---- long values: the brace search past its plain scan ----

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; i++) out += piece;
  return out;
}

TEST(BibReader, LongNestedValueCloses) {
  // A value of about 60 kB with nested braces: its close lies far beyond
  // the plain scan.
  std::string body = Repeat("{a {b} c} x ", 5000);
  std::string input = "@misc{k, abstract = {" + body + "}, year = 1}\n@misc{j}";
  BibFile file;
  std::vector<std::string> blocks = ReadChecked(input, &file);
  ASSERT_EQ(file.blocks.size(), 3u);
  EXPECT_EQ(file.blocks[0].kind, BIB_ENTRY);
  ASSERT_EQ(file.blocks[0].fields.size(), 2u);
  EXPECT_EQ(file.blocks[0].fields[0].value, body.substr(0, body.size() - 1));
  EXPECT_EQ(file.blocks[0].fields[1].value, "1");
  EXPECT_EQ(file.blocks[2].kind, BIB_ENTRY);
}

TEST(BibReader, ManyUnbalancedValuesInALargeFile) {
  // Every other entry opens a brace it never closes.  bibtex reads the
  // first such value on to the end of the file (2 entries, checked with
  // bibtex 0.99d); the brace search must stay fast all the same.
  std::string good = "@misc{g, t = {" + Repeat("text ", 40) + "}}\n";
  std::string bad = "@misc{b, t = {{x}\n";
  std::string input;
  for (int i = 0; i < 2000; i++) input += good + bad;
  input += "}\n";  // closes only the last unbalanced value
  BibFile file;
  ReadChecked(input, &file);
  int entries = 0;
  int malformed = 0;
  for (const BibBlock& block : file.blocks) {
    entries += block.kind == BIB_ENTRY;
    malformed += block.kind == BIB_MALFORMED;
  }
  EXPECT_EQ(entries, 2);
  EXPECT_EQ(malformed, 0);
}

TEST(BibReader, FarCloseAgreesWithAPlainSearch) {
  // Values whose close lies past the plain scan at varying depths and
  // distances, some never closing: the reading must match what a plain
  // brace count says.
  for (int variant = 0; variant < 12; variant++) {
    std::string filler = Repeat(variant % 2 ? "{}" : "ab ", 3000 + 977 * variant);
    std::string opens(static_cast<std::size_t>(variant % 4), '{');
    std::string closes(static_cast<std::size_t>(variant % 3), '}');
    std::string input = "@misc{k, t = {" + opens + filler + closes + "}}\n@misc{j}";
    int depth = 0;
    std::size_t close = std::string::npos;
    std::size_t open = input.find('{', 6);
    for (std::size_t i = open; i < input.size(); i++) {
      if (input[i] == '{') depth++;
      if (input[i] == '}' && --depth == 0) {
        close = i;
        break;
      }
    }
    BibFile file;
    ReadChecked(input, &file);
    ASSERT_FALSE(file.blocks.empty());
    // The key is read, so the entry is one; its field only when the value
    // closes (and the file goes on after it).
    bool expect_field = close != std::string::npos && close + 1 < input.size();
    EXPECT_EQ(file.blocks[0].kind, BIB_ENTRY) << "variant " << variant;
    EXPECT_EQ(file.blocks[0].fields.size(), expect_field ? 1u : 0u) << "variant " << variant;
    if (expect_field) {
      EXPECT_EQ(file.blocks[0].fields[0].value_end, close + 1) << "variant " << variant;
    }
  }
}

}  // namespace

namespace {

// Keeps the fields of the entries whose key starts with "k" and counts the
// entries seen, with the title each held when it was read.
struct Visits {
  std::vector<std::string> seen;
};

int KeepKeysStartingWithK(void* context, int entry_number, const BibBlock& entry) {
  Visits* visits = static_cast<Visits*>(context);
  const BibField* title = FindField(entry, "title");
  visits->seen.push_back(std::to_string(entry_number) + " " + std::string(entry.key) + " " +
                         (title != nullptr ? std::string(title->value) : "-"));
  return !entry.key.empty() && entry.key[0] == 'k';
}

TEST(BibReaderVisiting, FieldsGoUnlessKeptAndKeptValuesStayWhole) {
  const std::string text =
      "@string{j = \"Journal\"}\n"
      "@article{drop1, title = {First title}, journal = j}\n"
      "@article{keep, title = {Kept title}, journal = j # { B}}\n"
      "@misc{drop2, title = \"Another\"}\n"
      "@book{kept2, title = {Last}}\n";
  BibFile file;
  Visits visits;
  ReadBibFileVisiting(text.data(), text.size(), &file, KeepKeysStartingWithK, &visits);
  EXPECT_EQ((std::vector<std::string>{"0 drop1 First title", "1 keep Kept title", "2 drop2 Another",
                                      "3 kept2 Last"}),
            visits.seen);
  std::vector<std::string> entries;
  for (const BibBlock& block : file.blocks) {
    if (block.kind != BIB_ENTRY) continue;
    std::string shown = std::string(block.key) + ":" + std::to_string(block.fields.size());
    for (const std::string& macro : block.macros) shown += " " + macro;
    const BibField* journal = FindField(block, "journal");
    if (journal != nullptr) shown += " [" + std::string(journal->value) + "]";
    entries.push_back(shown);
  }
  // A dropped entry keeps its key and macros; a kept one every field, its
  // values intact although the dropped entries' values were given up.
  EXPECT_EQ((std::vector<std::string>{"drop1:0 j", "keep:2 j [Journal B]", "drop2:0", "kept2:1"}),
            entries);
  EXPECT_EQ("@article{drop1, title = {First title}, journal = j}",
            text.substr(file.blocks[2].begin, file.blocks[2].end - file.blocks[2].begin));
}

// Values read as they stand in the file and values the reader must rewrite
// (white space folded or cut, parts joined) give the same texts whichever
// way the reader takes them; names in any case read in lower case.
TEST(BibReaderValues, TextsAsBibtexReadsThem) {
  struct ValueCase {
    const char* field;  // as written after "@misc{k, "
    const char* name;
    const char* value;
  };
  const ValueCase cases[] = {
      {"t = {}", "t", ""},
      {"t = \"\"", "t", ""},
      {"t = {plain text}", "t", "plain text"},
      {"t = { lead}", "t", "lead"},
      {"t = {trail }", "t", "trail"},
      {"t = {two  blanks}", "t", "two blanks"},
      {"t = {a\tb}", "t", "a b"},
      {"t = {line\n  break}", "t", "line break"},
      {"t = {x}#{y}", "t", "xy"},
      {"t = {x}\n  # \"y\"", "t", "xy"},
      {"t = 0012", "t", "0012"},
      {"t = 12 # {a}", "t", "12a"},
      {"t = {{Braced}} ", "t", "{Braced}"},
      {"Title = {Up}", "title", "Up"},
      {"JOURNAL = \"Up\"", "journal", "Up"},
      {"x_Y-z = {mixed}", "x_y-z", "mixed"},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.field);
    std::string text = std::string("@misc{k, ") + c.field + "}";
    BibFile file;
    ReadBibFile(text.data(), text.size(), &file);
    ASSERT_EQ(file.blocks.size(), 1u);
    ASSERT_EQ(file.blocks[0].fields.size(), 1u);
    EXPECT_EQ(file.blocks[0].fields[0].name, c.name);
    EXPECT_EQ(file.blocks[0].fields[0].value, c.value);
  }
}

// A string's value read as it stands still expands where the string is used,
// and a later definition does not change a value read before it.
TEST(BibReaderValues, StringsReadAsTheyStandExpand) {
  std::string text =
      "@string{j = {Journal}}\n@misc{a, t = j}\n@string{j = {Other}}\n@misc{b, t = j # { x}}";
  BibFile file;
  ReadBibFile(text.data(), text.size(), &file);
  std::vector<std::string> values;
  for (const BibBlock& block : file.blocks) {
    if (block.kind == BIB_ENTRY) values.push_back(std::string(block.fields[0].value));
  }
  EXPECT_EQ(values, (std::vector<std::string>{"Journal", "Other x"}));
}

}  // namespace
