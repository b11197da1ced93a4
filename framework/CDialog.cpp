#include "CDialog.h"

#include "CDataExchange.h"
#include "CDialogWindow.h"
#include "ResourceImages.h"

CDialog::CDialog(const DialogTemplate& dialogTemplate, CDialog* parent)
    : m_template(dialogTemplate)
    , m_parent(parent)
{
}

CDialog::~CDialog() = default;

void CDialog::build()
{
    m_window = std::make_unique<Window>(*this, m_parent ? m_parent->window() : nullptr);
    // Qt centres a dialog that was not moved over its parent's window, or on the screen, when shown.
    if (OnInitDialog())
        m_window->focusFirstControl();
}

int CDialog::DoModal()
{
    build();
    return m_window->exec();
}

bool CDialog::Create()
{
    build();
    m_window->show();
    return true;
}

void CDialog::EndDialog(int result)
{
    m_window->done(result);
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    ++m_suppressDepth;
    CDataExchange exchange(*this, saveAndValidate);
    DoDataExchange(&exchange);
    --m_suppressDepth;
    return true;
}

CWnd* CDialog::GetDlgItem(int controlId)
{
    return m_window ? m_window->item(controlId) : nullptr;
}

void CDialog::SetDlgItemText(int controlId, const std::string& text)
{
    if (CWnd* control = GetDlgItem(controlId))
        control->SetWindowText(text);
}

std::string CDialog::GetDlgItemText(int controlId) const
{
    return CWnd(controlWidget(controlId)).GetWindowText();
}

CMenu* CDialog::GetSystemMenu()
{
    return &m_systemMenu;
}

// One icon carries every size, so the big and the small icon are the same.
void CDialog::SetIcon(int iconId, bool /*bigIcon*/)
{
    m_window->setWindowIcon(loadIcon(iconId));
}

QDialog* CDialog::window() const
{
    return m_window.get();
}

QWidget* CDialog::controlWidget(int controlId) const
{
    return m_window ? m_window->control(controlId) : nullptr;
}

QWidget* CDialog::imageWidget(int imageId) const
{
    return m_window ? m_window->image(imageId) : nullptr;
}

QMenu* CDialog::popupSystemMenu(const QPoint& globalPos)
{
    return m_window->popupSystemMenu(globalPos);
}

void CDialog::notify(NotifyCode code, int controlId)
{
    if (m_suppressDepth > 0)
        return;
    if (OnNotify(code, controlId) || code != BN_CLICKED)
        return;
    // The base dialog's commands, unless the event table took the click.
    if (controlId == IDOK)
        OnOK();
    else if (controlId == IDCANCEL)
        OnCancel();
}

bool CDialog::OnInitDialog()
{
    m_window->fillLists();
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(CDataExchange* /*pDX*/) { }

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CDialog::OnNotify(NotifyCode /*code*/, int /*controlId*/)
{
    return false;
}

void CDialog::OnSysCommand(unsigned commandId, long /*parameter*/)
{
    if ((commandId & 0xFFF0) == SC_CLOSE)
        OnCancel();
}
