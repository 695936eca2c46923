#pragma once

#include <QApplication>

// The application object: sets up the platform and runs the main window until it closes.
class CGorvaneApp : public QApplication {
public:
    CGorvaneApp(int& argc, char** argv);

    // Runs the program; the exit code of the process.
    int InitInstance();
};
