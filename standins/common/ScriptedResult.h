#pragma once
// Results chosen by a test: the environment variable KQ_<MODULE>_<function>
// (the module's name in capitals, e.g. KQ_QUIZHALL_S_StartTest) holds a
// comma-separated list ("-100,-2"); the function's next calls return those
// values in turn, without doing their work, and then behave as usual again.
// A changed list starts from its first value. Each scripted call is traced.

#include <string>
#include <vector>

namespace kq {

// The variable that scripts `function` of `module`.
std::string ScriptVariable(const char* module, const char* function);

// The values of a list: "-100,-2" gives -100, -2; an empty text none.
std::vector<int> ScriptValues(const std::string& text);

// True with the next scripted value of `function` in `result`; false when no
// value is left (or none was scripted) and the call should do its work.
bool ScriptedResult(const char* module, const char* function, int& result);

} // namespace kq
