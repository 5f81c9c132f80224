#include "core/Paths.h"

std::string DirectoryPart(const std::string& name) {
  const auto slash = name.rfind('/');
  if (slash == std::string::npos) return "";
  if (slash == 0) return "/";
  return name.substr(0, slash);
}
