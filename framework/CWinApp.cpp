#include "CWinApp.h"

#include "DialogApplication.h"

namespace {

CWinApp* theApp = nullptr;

std::string commandLineTail(int argc, char** argv)
{
    std::string tail;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            tail += ' ';
        tail += argv[i];
    }
    return tail;
}

} // namespace

CWinApp::CWinApp()
{
    Q_ASSERT_X(theApp == nullptr, "CWinApp", "one application object per process");
    theApp = this;
}

CWinApp::~CWinApp()
{
    theApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return theApp;
}

int AfxWinMain(CWinApp& app, int argc, char** argv)
{
    // Taken before QApplication removes the toolkit's own options from argv.
    app.m_lpCmdLine = commandLineTail(argc, argv);
    DialogApplication application(argc, argv);
    // A dialog program does all its work inside InitInstance; there is no message loop after it.
    app.InitInstance();
    return 0;
}
