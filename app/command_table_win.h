#pragma once
// The command table (app/command_table_win.cpp).

// Puts the table of the commands in place for the shell's services; once, before the main window
// is made.
void App_InstallCommands();
