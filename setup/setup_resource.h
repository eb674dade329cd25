#pragma once
// Resource and control ids of the installer quillsetup.

#define IDI_SETUP                100   // the installer's icon (program file, dialog caption)
#define IDD_SETUP                106   // the setup dialog

#define IDC_SETUP_DEFAULT_LANG   1004  // combo box: "English", "French", "Russian"
#define IDC_SETUP_ADDITIONAL     1005  // list view with check boxes: the two other languages
#define IDC_SETUP_DESTINATION    1006  // edit: the destination path
#define IDC_SETUP_BROWSE         1007  // "..." opens the folder browser
#define IDC_SETUP_INSTALL        1008  // "Install"
#define IDC_SETUP_MAKER_LINK     1009  // "Velmora", opens the order page
#define IDC_SETUP_HIDDEN_CHECK   1019  // hidden check box, never shown or read

// Payload: resources of type "CUSTOM", language 1033, found as "#131" and so on.
#define IDR_SETUP_PROGRAM        131   // the tutor program, installed as KFP.exe
#define IDR_SETUP_EN_FIRST       133   // 133-137 English, 138-142 French, 143-147 Russian
#define IDR_SETUP_FR_FIRST       138
#define IDR_SETUP_RU_FIRST       143
#define IDR_SETUP_LAST_DATA      147
#define IDR_SETUP_UNINSTALLER    148   // the uninstaller, installed as Uninstall.exe
#define IDR_SETUP_MANUAL_EN      149   // EN\KF_Help.htm; 150 French, 151 Russian
#define IDR_SETUP_COURSE_EN      152   // EN\Course\Words.txt, 153 its licence; 154-155 French, 156-157 Russian
