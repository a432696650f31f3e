#include "platform/machine/environment_strings.h"

#include "platform/registry/name_compare.h"

namespace qv {

void SetVariable(Environment* env, const std::string& name, const std::string& value) {
  (*env)[registry::FoldName(name)] = value;
}

std::string ExpandEnvironmentText(const std::string& text, const Environment& env) {
  std::string out;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t open = text.find('%', pos);
    size_t close = open == std::string::npos ? open : text.find('%', open + 1);
    if (close == std::string::npos) {
      out += text.substr(pos);
      break;
    }
    out += text.substr(pos, open - pos);
    auto it = env.find(registry::FoldName(text.substr(open + 1, close - open - 1)));
    if (it != env.end()) {
      out += it->second;
      pos = close + 1;
    } else {
      out += text.substr(open, close - open);
      pos = close;
    }
  }
  return out;
}

}  // namespace qv
