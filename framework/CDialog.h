// A dialog built from a template: controls, data exchange, notifications, modal run.
#pragma once

#include "CMenu.h"
#include "CWnd.h"
#include "DialogTemplate.h"
#include "NotifyCode.h"

#include <memory>
#include <string>

class CDataExchange;
class QDialog;
class QMenu;
class QPoint;
class QWidget;

class CDialog {
public:
    explicit CDialog(const DialogTemplate& dialogTemplate, CDialog* parent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Builds the window, runs OnInitDialog, shows it and runs until EndDialog; returns its result.
    int DoModal();
    // Builds the window, runs OnInitDialog and shows it without waiting (tests drive it from there).
    bool Create();
    void EndDialog(int result);

    // true: gather the controls into the model; false: show the model in the controls.
    // Notifications raised meanwhile are discarded.
    bool UpdateData(bool saveAndValidate = true);

    // The control with this id, or nullptr.
    CWnd* GetDlgItem(int controlId);
    void SetDlgItemText(int controlId, const std::string& text);
    std::string GetDlgItemText(int controlId) const;

    CMenu* GetSystemMenu();
    // Pops up the system menu's stand-in at `globalPos`: "Close", then the system menu's items.
    // Choosing an entry runs OnSysCommand with its id; the menu deletes itself when it closes.
    QMenu* popupSystemMenu(const QPoint& globalPos);
    // Sets the window's icon from icon resource `iconId` (all its sizes).
    void SetIcon(int iconId, bool bigIcon);

    const DialogTemplate& dialogTemplate() const { return m_template; }
    // The toolkit's window, and a control's widget; for ui/ and tests.
    QDialog* window() const;
    QWidget* controlWidget(int controlId) const;
    // Pictures have no id of their own: the first one showing image `imageId`.
    QWidget* imageWidget(int imageId) const;

    // Called by the controls' signal connections; runs OnNotify unless UpdateData is running.
    void notify(NotifyCode code, int controlId);

protected:
    // Fills the drop-down lists from the template, then shows the model. Returns true.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    // Enter outside a push button: gather, then end with IDOK.
    virtual void OnOK();
    // Exit (id 2), Escape, the close box and the system menu's Close: end with IDCANCEL.
    virtual void OnCancel();
    // A notification from a control; returns whether an event-table entry took it.
    virtual bool OnNotify(NotifyCode code, int controlId);
    // A command chosen from the system menu; SC_CLOSE runs OnCancel.
    virtual void OnSysCommand(unsigned commandId, long parameter);

private:
    class Window;
    friend class Window;

    void build();

    const DialogTemplate& m_template;
    CDialog* m_parent;
    std::unique_ptr<Window> m_window;
    CMenu m_systemMenu;
    int m_suppressDepth = 0;
};
