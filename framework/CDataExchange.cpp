#include "CDataExchange.h"

#include "CDialog.h"
#include "CWnd.h"

#include <QCheckBox>

namespace {

QWidget& controlOf(CDataExchange* pDX, int controlId)
{
    QWidget* widget = pDX->m_pDlgWnd->controlWidget(controlId);
    Q_ASSERT_X(widget, "DDX", "no control with this id in the dialog");
    return *widget;
}

} // namespace

void DDX_Text(CDataExchange* pDX, int controlId, std::string& value)
{
    CWnd control(&controlOf(pDX, controlId));
    if (pDX->m_bSaveAndValidate)
        value = control.GetWindowText();
    else
        control.SetWindowText(value);
}

void DDX_Check(CDataExchange* pDX, int controlId, int& value)
{
    auto* box = qobject_cast<QCheckBox*>(&controlOf(pDX, controlId));
    Q_ASSERT_X(box, "DDX_Check", "control is not a check box");
    if (pDX->m_bSaveAndValidate)
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}

void DDX_Control(CDataExchange* pDX, int controlId, CWnd& control)
{
    control.Attach(&controlOf(pDX, controlId));
}
