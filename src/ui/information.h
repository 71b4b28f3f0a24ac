#pragma once

#include <QString>

class QWidget;
class Session;

// The information commands of the main window and the tray menu: the About box, the help
// file, the home page and the link bar's usage text.
namespace Information {

extern const QString CopyrightLine;
// The program's web site.
QString HomePage();
// The usage text: five lines, the first three padded with blanks to 73 GBK bytes.
QString UsageText();
// "Tonaply" and the version, without a blank: Tonaply1.43.
QString AboutApplicationText();
// The versions of the parts the program runs on, for the About box.
QString SystemVersionLines(const QString &playerVersion);
// The About box for a window (the main window, or the tray menu's).
void ShowAboutBox(QWidget *window, Session &session);
// The help file in the application folder.
QString HelpFile(const QString &appFolder);
// Help from the main window: the file is handed to the browser without looking for it first.
void ShowHelp(Session &session);
// Help from the tray menu: only when the file is there.
void ShowHelpIfThere(Session &session);
void ShowHomePage(Session &session);

} // namespace Information
