#include "EvalApp.h"

#include "DebugLog.h"

#include "adapter/AdapterConnection.h"
#include "ui/EvalDialog.h"

#include <cstdio>
#include <cstring>
#include <utility>

int debugMode = 0;

EvalApp::EvalApp(std::string adapter)
    : m_adapter(std::move(adapter))
{
}

bool EvalApp::InitInstance()
{
    const char* tail = m_lpCmdLine.c_str();
    if (std::strstr(tail, "/D") || std::strstr(tail, "/d"))
        debugMode = 1;

    DebugLog log;
    if (debugMode == 1) {
        if (!log.open())
            debugMode = 0;
        std::printf("CmdLine: %s\n", tail);
    }

    {
        EvalDialog dialog(m_adapter == "sim");
        dialog.setAdapterName(m_adapter);
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
    }
    // An open bus node holds its bridge, and the viewer may stay open for long.
    adapterRelease();

    if (debugMode == 1) {
        log.close();
        log.show();
    }
    return false;
}
