#pragma once
// About box, help pages and web links (app/links_win.cpp).
#include <windows.h>

// The learner's manual of the current language, <current folder>\<EN|FR|RU>\KF_Help.htm, by its
// full path: command IDM_ONLINE_HELP (F1).
void App_OpenOnlineHelp();
// The maker's home page: commands IDM_WEB_SITE and IDC_SUPPORT_LINK.
void App_OpenMakerSite();
// The maker's order page, whose query always asks for English: a click on the about box's
// maker name.
void App_OpenOrderPage();
// The about box (dialog IDD_ABOUT), modal over the main window: command IDM_ABOUT.
void App_ShowAboutBox();
INT_PTR CALLBACK App_AboutDialogProc(HWND, UINT, WPARAM, LPARAM);
// The two statics that behave like web links, each with its own saved window procedure.
enum LinkStatic { LINK_ABOUT_MAKER = 0, LINK_SUPPORT = 1 };
// Shows the hand cursor on every message, then hands the message to the static's own procedure.
template <int link>
LRESULT CALLBACK App_LinkCursorProc(HWND, UINT, WPARAM, LPARAM);
extern template LRESULT CALLBACK App_LinkCursorProc<LINK_ABOUT_MAKER>(HWND, UINT, WPARAM, LPARAM);
extern template LRESULT CALLBACK App_LinkCursorProc<LINK_SUPPORT>(HWND, UINT, WPARAM, LPARAM);
// The support link (control IDC_SUPPORT_LINK) on the toolbar at the place of the current mode; once, at
// start, when ShowURLLogo is on.
void App_CreateSupportLink();
// Moves the support link, when there is one, to x `x` (96 DPI) of the toolbar without
// repainting: where the screen shown wants it (y 4, 150 x 20 always).
void App_PlaceSupportLink(int x);
// The support link's text in `language`: at its creation and with every language switch.
void App_RelabelSupportLink(int language);
// After a DPI change: the link's font made again for the toolbar's DPI, and the link placed.
void App_RescaleSupportLink();
