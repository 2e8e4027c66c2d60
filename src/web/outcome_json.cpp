#include "web/outcome_json.h"

#include <cstdio>

#include "app/state.h"

namespace {

// The length of the valid UTF-8 sequence at text[at], or 0 when none
// starts there (overlong forms and surrogates are refused too).
std::size_t Utf8SequenceLength(const std::string& text, std::size_t at) {
  unsigned char lead = static_cast<unsigned char>(text[at]);
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  else return 0;
  if (lead == 0xE0) low = 0xA0;
  if (lead == 0xED) high = 0x9F;
  if (lead == 0xF0) low = 0x90;
  if (lead == 0xF4) high = 0x8F;
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; i++) {
    unsigned char c = static_cast<unsigned char>(text[at + i]);
    if (c < (i == 1 ? low : 0x80) || c > (i == 1 ? high : 0xBF)) return 0;
  }
  return length;
}

void AppendEscape(unsigned code, std::string* out) {
  char escape[8];
  std::snprintf(escape, sizeof escape, "\\u%04x", code);
  out->append(escape);
}

void AppendAscii(char c, std::string* out) {
  switch (c) {
    case '"': out->append("\\\""); return;
    case '\\': out->append("\\\\"); return;
    case '\n': out->append("\\n"); return;
    case '\r': out->append("\\r"); return;
    case '\t': out->append("\\t"); return;
    default: break;
  }
  if (static_cast<unsigned char>(c) < 0x20) AppendEscape(static_cast<unsigned char>(c), out);
  else out->push_back(c);
}

void AppendStringList(const char* name, const std::vector<std::string>& items, std::string* out) {
  out->append(",\"").append(name).append("\":[");
  for (std::size_t i = 0; i < items.size(); i++) {
    if (i > 0) out->push_back(',');
    AppendJsonString(items[i], out);
  }
  out->push_back(']');
}

void AppendField(const char* name, const std::string& value, std::string* out) {
  out->append("\"").append(name).append("\":");
  AppendJsonString(value, out);
}

void AppendMessages(const std::vector<PageMessage>& messages, std::string* out) {
  out->append(",\"messages\":[");
  for (std::size_t i = 0; i < messages.size(); i++) {
    out->append(i > 0 ? ",{" : "{");
    AppendField("caption", messages[i].caption, out);
    out->push_back(',');
    AppendField("text", messages[i].text, out);
    out->push_back(',');
    AppendField("path", messages[i].path, out);
    out->push_back(',');
    AppendField("reason", messages[i].reason, out);
    out->push_back('}');
  }
  out->push_back(']');
}

void AppendCited(const RunReport& report, std::string* out) {
  out->append(",\"cited\":[");
  for (std::size_t i = 0; i < report.cited_keys.size(); i++) {
    out->append(i > 0 ? ",{" : "{");
    AppendField("key", report.cited_keys[i], out);
    bool found = i < report.found.size() && report.found[i];
    out->append(found ? ",\"found\":true}" : ",\"found\":false}");
  }
  out->push_back(']');
}

}  // namespace

void AppendJsonString(const std::string& text, std::string* out) {
  out->push_back('"');
  for (std::size_t at = 0; at < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[at]);
    if (c < 0x80) {
      AppendAscii(text[at++], out);
      continue;
    }
    std::size_t length = Utf8SequenceLength(text, at);
    if (length == 0) {
      AppendEscape(c, out);
      at++;
    } else {
      out->append(text, at, length);
      at += length;
    }
  }
  out->push_back('"');
}

std::string OutcomeJson(const PageOutcome& outcome) {
  std::string out = "{\"result\":" + std::to_string(outcome.result);
  out.append(outcome.result == RESULT_DONE ? ",\"done\":true," : ",\"done\":false,");
  AppendField("inputProblem", outcome.input_problem, &out);
  AppendMessages(outcome.messages, &out);
  AppendStringList("lines", outcome.report.lines, &out);
  AppendCited(outcome.report, &out);
  out.push_back(',');
  AppendField("library", outcome.report.library, &out);
  AppendStringList("outputs", outcome.report.outputs, &out);
  out.push_back('}');
  return out;
}
