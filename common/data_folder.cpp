// The data folder, set once at start (common/files.h).
#include <string>

#include "common/files.h"

namespace {

std::string& DataFolder() {
  static std::string folder = Dir_Current();
  return folder;
}

}  // namespace

void Dir_SetData(const std::string& folder) { DataFolder() = folder; }

const std::string& Dir_Data() { return DataFolder(); }

std::string Dir_DataFile(const std::string& relative) { return Path_Join(DataFolder(), relative); }
