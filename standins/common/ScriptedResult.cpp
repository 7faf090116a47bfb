#include "standins/common/ScriptedResult.h"

#include "standins/common/Trace.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#endif

#include <cctype>
#include <cstdlib>
#include <map>
#include <mutex>

namespace kq {

namespace {

constexpr char kScriptPrefix[] = "KQ_";
constexpr size_t kScriptTextSize = 256;

struct Script {
    std::string text;
    size_t used = 0;
};

std::mutex g_scriptsLock; // stand-ins are called from several threads
std::map<std::string, Script> g_scripts;

// The variable's text; empty when unset or longer than a script may be.
std::string ScriptText(const std::string& variable)
{
#ifdef _WIN32
    // The process's environment, not this module's copy of it: tests set it
    // with SetEnvironmentVariable after the module was loaded.
    char text[kScriptTextSize] = {};
    const DWORD length = ::GetEnvironmentVariableA(variable.c_str(), text, sizeof text);
    return length > 0 && length < sizeof text ? std::string(text, length) : std::string();
#else
    const char* text = std::getenv(variable.c_str());
    return text != nullptr && std::string(text).size() < kScriptTextSize ? std::string(text) : std::string();
#endif
}

} // namespace

std::string ScriptVariable(const char* module, const char* function)
{
    std::string variable = kScriptPrefix;
    for (const char* c = module; *c != '\0'; ++c)
        variable.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(*c))));
    return variable + "_" + function;
}

std::vector<int> ScriptValues(const std::string& text)
{
    std::vector<int> values;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find(',', start);
        if (end == std::string::npos)
            end = text.size();
        values.push_back(std::atoi(text.substr(start, end - start).c_str()));
        start = end + 1;
    }
    return values;
}

bool ScriptedResult(const char* module, const char* function, int& result)
{
    const std::string variable = ScriptVariable(module, function);
    const std::string current = ScriptText(variable);
    std::lock_guard<std::mutex> hold(g_scriptsLock);
    Script& script = g_scripts[variable];
    if (current != script.text)
        script = Script{current, 0};
    const std::vector<int> values = ScriptValues(script.text);
    if (script.used >= values.size())
        return false;
    result = values[script.used++];
    Trace(module, "%s scripted result=%d", function, result);
    return true;
}

} // namespace kq
