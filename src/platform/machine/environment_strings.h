#pragma once
// %NAME% references in registry texts (REG_EXPAND_SZ values such as TEMP or a profile's
// folder), expanded the way Windows expands them for a process of the machine's user.

#include <map>
#include <string>

namespace qv {

/// Environment variables by folded name (registry::FoldName), each with its value.
using Environment = std::map<std::string, std::string>;

/// Adds a variable to env (the name in any case); an existing one is replaced.
void SetVariable(Environment* env, const std::string& name, const std::string& value);

/// text with each %NAME% that env knows replaced by its value (names compare without regard to
/// case); an unknown reference stays as written, as Windows leaves it.
std::string ExpandEnvironmentText(const std::string& text, const Environment& env);

}  // namespace qv
