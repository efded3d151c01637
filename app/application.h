#pragma once

// Start-up of the program: names, font and style of the application, the
// files of the command line, and the single instance per user.

#include <QStringList>

class InstanceServer;
class MainWindow;
class QApplication;

// Sets the names, the version, the font and the style of the application.
void setupApplication();

// Absolute paths of the arguments after the program name that name existing
// files; the others are dropped.
QStringList filesFromArguments(int argc, char **argv);

// Lets the running instance's window open the files handed over and come
// to the front when asked.
void connectInstanceServer(InstanceServer &server, MainWindow &window);

// Hands the files to a running instance (exit status 0), or becomes the
// running instance: shows the main window and runs the event loop.
int runApplication(QApplication &app, int argc, char **argv);
