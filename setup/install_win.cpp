// Installing files: every target is checked first, every file is written whole under its ".part"
// name, and only then are they renamed into place; a failure takes back what the run wrote.
#include "setup/install_win.h"

#include <string>
#include <vector>

#include "setup/setup.h"
#include "setup/setup_win.h"

namespace {

constexpr DWORD kWritePiece = 1 << 20;  // bytes per WriteFile call

// One file of an installation: where it goes and its bytes (payload, or the settings document).
struct SetupFile {
  std::string target;
  const char* bytes = nullptr;
  DWORD size = 0;
  std::string document;
};

// What one run has done so far, so that a failure can take it back.
struct SetupRun {
  std::vector<std::string> createdFolders;
  std::vector<std::string> parts;  // ".part" files created, complete or not
  SetupResult result;
};

bool Fail(SetupRun& run, const std::string& path, DWORD error) {
  run.result.failed = true;
  run.result.path = path;
  run.result.error = error ? error : ERROR_GEN_FAILURE;
  return false;
}

HMODULE PayloadModule() { return g_Setup.payloadModule ? g_Setup.payloadModule : GetModuleHandleA(nullptr); }

std::string PartName(const std::string& target) { return target + kSetupPartSuffix; }

bool LoadPayload(SetupRun& run, int resource, SetupFile& file) {
  char name[16];
  wsprintfA(name, "#%d", resource);
  const HMODULE module = PayloadModule();
  HRSRC found = FindResourceA(module, name, "CUSTOM");
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  file.bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (!file.bytes) return Fail(run, file.target, GetLastError() ? GetLastError() : ERROR_RESOURCE_DATA_NOT_FOUND);
  file.size = SizeofResource(module, found);
  return true;
}

// An existing target must be replaceable: not a folder, not read-only, and not held by a
// program (a running KFP.exe refuses write access). Checked before anything is written.
bool CheckReplaceable(SetupRun& run, const std::string& target) {
  const DWORD attributes = GetFileAttributesA(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Fail(run, target, ERROR_ALREADY_EXISTS);
  if (attributes & FILE_ATTRIBUTE_READONLY) return Fail(run, target, ERROR_ACCESS_DENIED);
  HANDLE file = CreateFileA(target.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Fail(run, target, GetLastError());
  CloseHandle(file);
  return true;
}

bool MakeFolder(SetupRun& run, const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) {
    run.createdFolders.push_back(path);
    return true;
  }
  const DWORD error = GetLastError();
  return Setup_IsFolder(path) || Fail(run, path, error);
}

// The destination with the levels above it that are missing ("C:\a", "C:\a\b", ...); the root
// ("C:\" or "\\server\share\") is never made. CharNextA keeps double-byte letters whole.
bool MakeDestination(SetupRun& run, const std::string& path) {
  const int rootSeparators = path.size() > 1 && path[1] == ':' ? 1 : 4;
  int separators = 0;
  for (const char* at = path.c_str(); *at; at = CharNextA(at)) {
    if (*at != '\\' || ++separators <= rootSeparators) continue;
    const std::string level(path.c_str(), at);
    if (!Setup_IsFolder(level) && !MakeFolder(run, level)) return false;
  }
  return Setup_IsFolder(path) || MakeFolder(run, path);
}

// Writes the whole file under its ".part" name; every byte is accounted for (a full disk shows
// as a failed or short WriteFile) and the data is flushed before the handle is closed.
bool WritePart(SetupRun& run, const SetupFile& file) {
  const std::string part = PartName(file.target);
  HANDLE handle = CreateFileA(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return Fail(run, file.target, GetLastError());
  run.parts.push_back(part);
  DWORD error = 0;
  for (DWORD at = 0; at < file.size && !error;) {
    const DWORD piece = file.size - at < kWritePiece ? file.size - at : kWritePiece;
    DWORD written = 0;
    if (!WriteFile(handle, file.bytes + at, piece, &written, nullptr) || written == 0)
      error = GetLastError() ? GetLastError() : ERROR_DISK_FULL;
    at += written;
  }
  if (!error && !FlushFileBuffers(handle)) error = GetLastError();
  if (!CloseHandle(handle) && !error) error = GetLastError();
  return !error || Fail(run, file.target, error);
}

// Takes back what a failed run wrote: its ".part" files and the folders it made. What cannot
// be removed is named in the result, so that the message does not claim the folder is as before.
void Undo(SetupRun& run, size_t firstPart) {
  for (size_t i = firstPart; i < run.parts.size(); ++i)
    if (!DeleteFileA(run.parts[i].c_str()) && GetFileAttributesA(run.parts[i].c_str()) != INVALID_FILE_ATTRIBUTES)
      run.result.left.push_back(run.parts[i]);
  if (firstPart > 0) return;  // files were replaced: their folders stay
  for (auto folder = run.createdFolders.rbegin(); folder != run.createdFolders.rend(); ++folder)
    if (!RemoveDirectoryA(folder->c_str()) && Setup_IsFolder(*folder)) run.result.left.push_back(*folder);
}

// The bytes of an existing file, up to `limit` + 1 of them (enough to tell it differs).
std::string ReadExisting(const std::string& path, DWORD limit) {
  std::string bytes;
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return bytes;
  char piece[4096];
  DWORD got = 0;
  while (bytes.size() <= limit && ReadFile(handle, piece, sizeof piece, &got, nullptr) && got > 0) bytes.append(piece, got);
  CloseHandle(handle);
  return bytes;
}

// What becomes of the file at a target: written, kept as the user left it, or already the
// carried one (an unchanged sample needs no write).
enum class Existing { Write, Keep, Same };
Existing ExistingFile(const SetupFile& file, SetupKeep keep) {
  const DWORD attributes = GetFileAttributesA(file.target.c_str());
  if (keep == SetupKeep::Never || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return Existing::Write;
  if (keep == SetupKeep::IfPresent) return Existing::Keep;
  return ReadExisting(file.target, file.size) == std::string(file.bytes, file.size) ? Existing::Same : Existing::Keep;
}

// ".part" files an earlier run left behind, of any language: removed before anything else is
// written. One that is a folder, or cannot be removed, refuses the installation by its name.
bool RemoveLeftoverParts(SetupRun& run, const std::string& destination) {
  std::vector<std::string> leftovers;
  for (const std::string& file : Setup_AllInstalledFiles()) {
    const std::string part = PartName(destination + "\\" + file);
    const DWORD attributes = GetFileAttributesA(part.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) continue;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Fail(run, part, ERROR_ALREADY_EXISTS);
    leftovers.push_back(part);
  }
  for (const std::string& part : leftovers) {
    SetFileAttributesA(part.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileA(part.c_str())) return Fail(run, part, GetLastError());
  }
  return true;
}

SetupResult RunPlan(const std::vector<SetupStep>& steps, const std::string& destination) {
  SetupRun run;
  std::vector<SetupFile> files;
  std::vector<SetupKeep> keeps;
  files.reserve(steps.size());  // no reallocation: a document's bytes stay where they are
  for (const SetupStep& step : steps) {
    if (step.kind == SetupStepKind::CreateFolder) continue;
    files.emplace_back();
    keeps.push_back(step.keep);
    SetupFile& file = files.back();
    file.target = step.folder + "\\" + step.name;
    if (step.kind == SetupStepKind::WriteSettings) {
      file.document = Setup_SettingsDocument(step.language);
      file.bytes = file.document.data();
      file.size = static_cast<DWORD>(file.document.size());
    } else if (!LoadPayload(run, step.resource, file)) {
      return run.result;
    }
  }
  // The user's own settings and edited samples stay.
  std::vector<SetupFile> writes;
  for (size_t i = 0; i < files.size(); ++i) {
    const Existing existing = ExistingFile(files[i], keeps[i]);
    if (existing == Existing::Write) writes.push_back(files[i]);
    if (existing == Existing::Keep)
      run.result.kept.push_back(files[i].target.substr(destination.empty() ? 0 : destination.size() + 1));
  }
  for (const SetupFile& file : writes) {
    if (CheckReplaceable(run, file.target)) continue;
    // A running tutor holds its program file: the user can do something about that.
    const bool program = file.target == destination + "\\" + kSetupProgramName;
    run.result.running = program && run.result.error == ERROR_SHARING_VIOLATION;
    return run.result;
  }
  if (!destination.empty() && !RemoveLeftoverParts(run, destination)) return run.result;
  bool ok = true;
  for (const SetupStep& step : steps) {
    if (ok && step.kind == SetupStepKind::CreateFolder)
      ok = step.folder == destination ? MakeDestination(run, step.folder) : MakeFolder(run, step.folder);
  }
  for (const SetupFile& file : writes) ok = ok && WritePart(run, file);
  if (!ok) {
    Undo(run, 0);
    return run.result;
  }
  for (size_t i = 0; i < writes.size(); ++i) {
    if (!MoveFileExA(run.parts[i].c_str(), writes[i].target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      Fail(run, writes[i].target, GetLastError());
      run.result.nothingInstalled = i == 0;
      Undo(run, i);
      return run.result;
    }
  }
  run.result.nothingInstalled = false;
  return run.result;
}

}  // namespace

std::string Setup_SystemReason(DWORD error) {
  char text[512] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, sizeof text,
                 nullptr);
  std::string reason = text;
  while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' ')) reason.pop_back();
  if (reason.empty()) reason = "Error " + std::to_string(error) + ".";
  return reason;
}

bool Setup_IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Setup_RunPlan(const std::vector<SetupStep>& steps, const std::string& destination) {
  g_Setup.result = RunPlan(steps, destination);
  return !g_Setup.result.failed;
}

bool Setup_WriteResourceFile(int resource, const char* folder, const char* name) {
  return Setup_RunPlan({{SetupStepKind::WriteResource, folder, resource, name, 0}}, "");
}

bool Setup_WriteLanguageData(int language) {
  return Setup_RunPlan(Setup_LanguagePlan(g_Setup.destination, language), g_Setup.destination);
}
