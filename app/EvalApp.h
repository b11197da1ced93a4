// The application: debug switch and log, then the main dialog for the whole run.
#pragma once

#include "framework/CWinApp.h"

// 1 while debug mode is on.
extern int debugMode;

class EvalApp : public CWinApp {
public:
    explicit EvalApp(bool simulatedBoard);

    bool InitInstance() override;

private:
    bool m_simulatedBoard;
};
