// A run's outcome as JSON, the form the page's script reads.
#ifndef TAMREL_WEB_OUTCOME_JSON_H
#define TAMREL_WEB_OUTCOME_JSON_H

#include <string>

#include "web/page_run.h"

// Appends text to out as a JSON string, quotes included.  Libraries and
// keys may be Latin-1 or CP1252 rather than UTF-8: a byte that starts no
// valid UTF-8 sequence is taken as the Latin-1 character of that value,
// so the JSON stays valid and no byte is lost from view.
void AppendJsonString(const std::string& text, std::string* out);

// {"result":1,"done":true,"inputProblem":"","messages":[{"caption":..,
// "text":..,"path":..,"reason":..}],"lines":[..],"cited":[{"key":..,
// "found":true}],"library":"..","outputs":[..]}
std::string OutcomeJson(const PageOutcome& outcome);

#endif
