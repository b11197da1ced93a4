// The application: debug switch and log, then the main dialog for the whole run.
#pragma once

#include "framework/CWinApp.h"

#include <string>

// 1 while debug mode is on.
extern int debugMode;

class EvalApp : public CWinApp {
public:
    // `adapter` as the command line named it.
    explicit EvalApp(std::string adapter);

    bool InitInstance() override;

private:
    std::string m_adapter;
};
