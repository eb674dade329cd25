// Identifiers shared by the resource scripts and the code. Numbers are fixed: other programs,
// the tests and the saved data rely on them.
#pragma once

// Icons, bitmap, menus, accelerators, dialogs
#define IDI_KEYFARER            201   // program icon (window class, about box)
#define IDI_DETAILED_STATS      203   // detailed statistics window's class icon
#define IDB_TOOLBAR             300   // 8 images, 16 x 15, 16 colours
#define IDB_TOOLBAR_LARGE       301   // the same 8 images at 32 x 30 (200 %), 256 colours
#define IDR_TEXT_FONT           302   // RCDATA: the text views' TrueType face, "Keyfarer Text"
#define IDR_MENU_EN             607
#define IDR_MENU_FR             608
#define IDR_MENU_RU             609
#define IDR_ACCELERATORS        610
#define IDD_ABOUT               501
#define IDD_COLOR_LEGEND        502
#define IDD_OPTIONS             503

// Strings (same ids in English 1033, French 1036 and Russian 1049)
#define IDS_TITLE               100
#define IDS_CLASS_NAME          610
#define IDS_LANGUAGE            1010
#define IDS_LANG_ENGLISH        1011
#define IDS_LANG_FRENCH         1012
#define IDS_LANG_RUSSIAN        1013
#define IDS_COL_WORD            1014
#define IDS_COL_LENGTH          1015
#define IDS_COL_SPEED           1016
#define IDS_COL_ERRORS          1017
#define IDS_COL_TYPED_COUNT     1018
#define IDS_START_TEST          1021
#define IDS_LEFT_HAND_LETTERS   1026
#define IDS_RIGHT_HAND_LETTERS  1027
#define IDS_TIME_SPENT          1028
#define IDS_CPM                 1029
#define IDS_CHARACTERS          1030
#define IDS_WORDS_TYPED         1031
#define IDS_WPM                 1032
#define IDS_TOTAL_ERRORS        1033
#define IDS_TEST_REPORT         1034
#define IDS_MESURE              1035
#define IDS_VALUE               1036
#define IDS_SUNDAY              1037   // 1037..1043: Sunday..Saturday
#define IDS_MONDAY              1038
#define IDS_TUESDAY             1039
#define IDS_WEDNESDAY           1040
#define IDS_THURSDAY            1041
#define IDS_FRIDAY              1042
#define IDS_SATURDAY            1043
#define IDS_DETAILED_STATS      1044
#define IDS_DS_WORD             1045
#define IDS_DS_LENGTH           1046
#define IDS_DS_SPEED            1047
#define IDS_DS_ERRORS           1048
#define IDS_CREATE_CUSTOM_LIST  1049
#define IDS_CHECK_ALL           1050
#define IDS_COLOR_LEGEND        1051
#define IDS_LEGEND_CUSTOM       1052
#define IDS_LEGEND_LH           1053
#define IDS_LEGEND_L2R          1054
#define IDS_LEGEND_R2L          1055
#define IDS_LEGEND_RH           1056
#define IDS_TIP_OPEN            1057
#define IDS_TIP_START_STOP      1058
#define IDS_TIP_ALERT           1059
#define IDS_TIP_CLEAR           1060
#define IDS_TIP_STATISTICS      1061
#define IDS_ABOUT_PRODUCT       1062
#define IDS_ABOUT_TERMS         1063
#define IDS_ABOUT_NOTICE        1064
#define IDS_SUPPORT_LINK        1065   // the toolbar's support link
#define IDS_LIVE_TIME           1090  // status bar while a test runs: "Time: " m:ss
#define IDS_LIVE_CPM            1091
#define IDS_LIVE_ERRORS         1092
// History.csv and the report's progress section ("%d": the number of tests meant)
#define IDS_PROGRESS            1120   // heading, the language's name follows
#define IDS_PROGRESS_CHART      1121
#define IDS_PROGRESS_CPM        1122   // chart legend
#define IDS_PROGRESS_ERRORS     1123   // chart legend
#define IDS_PROGRESS_BEST       1124
#define IDS_PROGRESS_MEAN_CPM   1125
#define IDS_PROGRESS_MEAN_ERRORS 1126
#define IDS_PROGRESS_NONE       1127
#define IDS_HISTORY_NOT_WRITTEN 1128   // status bar, once per run
#define IDS_PROGRESS_TREND      1129   // chart legend
#define IDS_PROGRESS_TESTS_AXIS 1130   // bottom axis title
#define IDS_NO_LANGUAGE_FOLDER  1132   // no folder to start from: what is missing,
#define IDS_LOOKED_IN           1133   // where the tutor looked (the folders follow),
#define IDS_INSTALL_AGAIN       1134   // and what the user can do
#define IDS_STOP_TEST           10211
#define IDS_DISABLE_ALERT       10221
#define IDS_ENABLE_ALERT        10222
#define IDS_WRITE_FAILED        1080   // a file of the user's could not be written; its name follows

// Toolbar buttons (commands) and toolbar images
#define IDC_TOOLBAR             400
#define IDT_OPEN                401
#define IDT_START_STOP          402
#define IDT_ALERT               403
#define IDT_CLEAR               404
#define IDT_STATISTICS          405
#define IMG_OPEN                0
#define IMG_START               1
#define IMG_ALERT_ON            2
#define IMG_CLEAR               3
#define IMG_STATS_CLOSED        4
#define IMG_STOP                5
#define IMG_STATS_OPEN          6
#define IMG_ALERT_OFF           7
#define IDC_STATUSBAR           334
// Status bar parts of the live figures while a test runs
#define SB_PART_LIVE_TIME       0
#define SB_PART_LIVE_CPM        1
#define SB_PART_LIVE_ERRORS     2

// Timers of the main window
#define ID_TIMER_LIVE_FIGURES   1     // the live figures of a running test, four times a second
#define ID_TIMER_SAMPLE_FOLLOW  2     // the sample view's mark after a burst of keys
#define ID_TIMER_WRONG_KEY      3     // the live keyboard's moment of a wrong key (its own timer)
#define ID_TIMER_NEXT_LESSON    4     // the course's next lesson, once the last key of a lesson is in

// Language commands
#define IDM_LANG_ENGLISH        406
#define IDM_LANG_FRENCH         407
#define IDM_LANG_RUSSIAN        408

// Menu and accelerator commands
#define IDM_ABOUT               4000
#define IDM_OPEN                4002
#define IDM_EXIT                4003
#define IDM_VIEW_TOOLBAR        4004
#define IDM_VIEW_STATUSBAR      4005
#define IDM_LANGUAGE            4006
#define IDM_MODE_HANDS          4007
#define IDM_MODE_ALTERNATION    4008
#define IDM_MODE_CUSTOM         4009
#define IDM_MODE_TESTS          4010
#define IDM_START_TEST          4011
#define IDM_SOUND_ALERT         4012
#define IDM_CLEAR               4013
#define IDM_DETAILED_STATS      4014
#define IDM_HTML_REPORT         4015
#define IDM_KEYBOARD_LAYOUT     4016
#define IDM_ONLINE_HELP         4017
#define IDM_WEB_SITE            4018
#define IDM_VIEW_KEYBOARD       4020
#define IDM_MODE_COURSE         4021
#define IDM_OPTIONS             4022
#define IDM_PRACTICE_WEAK_KEYS  4019

// Menu bar positions
#define MENU_POS_FILE           0
#define MENU_POS_VIEW           1

// Controls
#define IDC_SUPPORT_LINK        606
#define IDC_TYPING_AREA         613
#define IDC_SAMPLE_VIEW         621
#define IDC_LEFT_LIST           626
#define IDC_RIGHT_LIST          633
#define IDC_CUSTOM_LIST         635
#define IDC_DS_LIST             636
#define IDC_DS_CREATE_LIST      637
#define IDC_DS_CHECK_ALL        638
// Colour legend (dialog 502): a caption and a colour swatch per word class
#define IDC_LEGEND_LH_TEXT      639
#define IDC_LEGEND_LH_COLOR     640
#define IDC_LEGEND_L2R_TEXT     641
#define IDC_LEGEND_L2R_COLOR    642
#define IDC_LEGEND_R2L_TEXT     643
#define IDC_LEGEND_R2L_COLOR    644
#define IDC_LEGEND_RH_TEXT      645
#define IDC_LEGEND_RH_COLOR     646
#define IDC_LEGEND_CUSTOM_TEXT  647
#define IDC_LEGEND_CUSTOM_COLOR 648
#define IDC_KEYBOARD_VIEW       660   // the live keyboard under a screen's texts
#define IDC_COURSE_PROGRESS     661   // the Course screen's progress beside its texts
#define IDC_OPTIONS_ALERT       670   // the Options dialog (503)
#define IDC_OPTIONS_KEYBOARD    671
#define IDC_OPTIONS_COURSE      672
#define IDC_OPTIONS_SPEED_TEXT  673
#define IDC_OPTIONS_SPEED       674
#define IDC_OPTIONS_ACCURACY_TEXT 675
#define IDC_OPTIONS_ACCURACY    676
#define IDC_OPTIONS_RESET       677
#define IDC_ABOUT_ICON          611   // about box (dialog 501)
#define IDC_ABOUT_PRODUCT       651
#define IDC_ABOUT_MAKER         652
#define IDC_ABOUT_TERMS         653
#define IDC_ABOUT_NOTICE        654

// Key figures: the keyboard page, the report's key section, Keys.csv and the practice of weak
// keys. Their own range, from a string bundle of its own (16 ids each), so that it stays apart.
#define IDS_KEYS_PAGE_HEADING   1408   // "Keyboard: ", the language's name follows
#define IDS_KEYS_LITTLE         1409   // 1409..1413: the fingers' legend, little fingers to thumbs
#define IDS_KEYS_RING           1410
#define IDS_KEYS_MIDDLE         1411
#define IDS_KEYS_INDEX          1412
#define IDS_KEYS_THUMBS         1413
#define IDS_KEYS_HOME           1414
#define IDS_KEYS_ERROR_SCALE    1415
#define IDS_KEYS_UNTYPED        1416
#define IDS_KEYS_SPEED_NOTE     1417   // "%d": the number of tests
#define IDS_KEYS_NO_FIGURES     1418
#define IDS_KEYS_SECTION        1419   // report heading, the language's name follows
#define IDS_KEYS_WEAK           1420   // "%d": the number of tests
#define IDS_KEYS_COL_KEY        1421   // 1421..1424: the weak keys' columns
#define IDS_KEYS_COL_ERRORS     1422
#define IDS_KEYS_COL_SPEED      1423
#define IDS_KEYS_COL_TREND      1424
#define IDS_KEYS_BETTER         1425
#define IDS_KEYS_WORSE          1426
#define IDS_KEYS_STEADY         1427
#define IDS_KEYS_TOO_FEW        1428
#define IDS_KEYS_NO_WEAK        1429
#define IDS_KEYS_CONFUSIONS     1430
#define IDS_KEYS_CONFUSION      1431   // "%1" the key typed, "%2" the key to type, "%3" how often
#define IDS_KEYS_NO_CONFUSIONS  1432
#define IDS_KEYS_SPACE          1433
#define IDS_KEYS_NOT_WRITTEN    1434   // status bar, once per run
#define IDS_PRACTICE_CAPTION    1436
#define IDS_PRACTICE_NEEDS_TESTS 1437
#define IDS_PRACTICE_NO_WORDS   1438
// The live keyboard's finger names: IDS_FINGER_FIRST plus the finger (left little ... right
// little, thumbs in the middle).
#define IDS_FINGER_FIRST        1440

// The Course screen's progress and the Options dialog, in each language ("%1", "%2": the values
// meant, in order)
#define IDS_COURSE_LESSON       1460   // "%1" the lesson's number
#define IDS_COURSE_KEYS         1461   // "%1" keys unlocked, "%2" keys of the course; the keys follow
#define IDS_COURSE_CAPITALS     1462   // the capitals (the Shift keys) as a key of the course
#define IDS_COURSE_FOCUS        1463   // the focus key follows
#define IDS_COURSE_SPEED        1464   // "%1" the focus key's speed, "%2" the target
#define IDS_COURSE_ACCURACY     1465
#define IDS_COURSE_KEYSTROKES   1466
#define IDS_COURSE_NEW_KEY      1467   // the key the last lesson unlocked follows
#define IDS_COURSE_ALL_KEYS     1468
#define IDS_COURSE_NOT_SAVED    1469
#define IDS_COURSE_UNREADABLE   1470
#define IDS_COURSE_DAMAGED      1471
#define IDS_COURSE_NO_WORDS     1472   // the course's word list of the language is missing
#define IDS_OPTIONS_CAPTION     1480
#define IDS_OPTIONS_ALERT       1481
#define IDS_OPTIONS_KEYBOARD    1482
#define IDS_OPTIONS_COURSE      1483
#define IDS_OPTIONS_SPEED       1484
#define IDS_OPTIONS_ACCURACY    1485
#define IDS_OPTIONS_RESET       1486   // "%1" the language's name
#define IDS_OPTIONS_RESET_ASK   1487   // "%1" the language's name
#define IDS_OPTIONS_RANGE       1488   // "%1" the lowest, "%2" the highest
#define IDS_OPTIONS_CANCEL      1489
#define IDS_OPTIONS_RESET_DONE  1490
