#include "setup/removal.h"

#include "setup/payload.h"

namespace {

constexpr int kPathRoom = 128;  // the longest relative name is far shorter

// `parts` joined (each language folder starts with its "\", which a relative name drops).
void Join(char (&out)[kPathRoom], const char* a, const char* b = "", const char* c = "", const char* d = "",
          const char* e = "") {
  const char* const parts[] = {a, b, c, d, e};
  int n = 0;
  for (const char* part : parts)
    for (const char* at = part; *at && n < kPathRoom - 1; ++at)
      if (n > 0 || *at != '\\') out[n++] = *at;
  out[n] = '\0';
}

}  // namespace

void Setup_ForEachRemoval(bool keepLearnersFiles, SetupRemovalVisit visit, void* context) {
  char path[kPathRoom];
  visit(kSetupProgramName, false, context);
  visit(kSetupUninstallerName, false, context);
  for (const SetupLanguage& language : kSetupLanguages) {
    for (const char* list : language.listNames) {
      Join(path, language.folder, kSetupWordsFolder, "\\", list);
      visit(path, false, context);
    }
    Join(path, language.folder, kSetupTestsFolder, "\\", kSetupSampleName);
    visit(path, false, context);
    Join(path, language.folder, "\\", kSetupManualName);
    visit(path, false, context);
    const char* const courseFiles[] = {kSetupCourseWordsName, kSetupCourseLicenseName};
    for (const char* name : courseFiles) {
      Join(path, language.folder, kSetupCourseFolder, "\\", name);
      visit(path, false, context);
    }
  }
  visit(kSetupTraceName, false, context);
  for (const char* file : kSetupLearnersRootFiles) {
    if (!keepLearnersFiles) visit(file, false, context);
    Join(path, file, kSetupTemporarySuffix);
    visit(path, false, context);
  }
  for (const SetupLanguage& language : kSetupLanguages) {
    Join(path, language.folder, kSetupWordsFolder, "\\", kSetupCustomWordsName);
    if (!keepLearnersFiles) visit(path, false, context);
    Join(path, language.folder, kSetupWordsFolder, "\\", kSetupCustomWordsName, kSetupTemporarySuffix);
    visit(path, false, context);
  }
  for (int i = 2; i >= 0; --i) {
    Join(path, kSetupLanguages[i].folder, kSetupCourseFolder);
    visit(path, true, context);
    Join(path, kSetupLanguages[i].folder, kSetupWordsFolder);
    visit(path, true, context);
    Join(path, kSetupLanguages[i].folder, kSetupTestsFolder);
    visit(path, true, context);
    Join(path, kSetupLanguages[i].folder);
    visit(path, true, context);
  }
}
