// The safe writer of the user's files: temporary file beside the target, then one-step replace.
#include <string>

#include "common/files.h"

FileWriteResult File_WriteSafely(const std::string& path, const std::string& bytes) {
  // The user marked the file read-only: it keeps its bytes and its attribute.
  if (File_IsReadOnly(path)) return {false, kFileErrorReadOnly};
  const std::string temp = path + ".tmp";
  bool opened = false;
  FileError error = File_WriteNew(temp, bytes, opened);
  if (!error) error = File_MoveOver(temp, path);
  if (!error) return {true, 0};
  if (opened) File_Remove(temp);
  return {false, error};
}
