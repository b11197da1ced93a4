// The application object: one per process; its InitInstance is the program.
#pragma once

#include <string>

class CDialog;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Returns false to end the process (a dialog program does all its work inside).
    virtual bool InitInstance() = 0;

    std::string m_lpCmdLine; // the arguments after the program's name, joined by single blanks
    CDialog* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();

// Builds the toolkit's application, hands `app` the command-line tail and runs InitInstance.
// Returns the process's exit status.
int AfxWinMain(CWinApp& app, int argc, char** argv);
