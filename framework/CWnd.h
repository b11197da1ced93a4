// A handle on one control of a dialog (or on the dialog itself).
#pragma once

#include <string>

class QWidget;

class CWnd {
public:
    CWnd() = default;
    explicit CWnd(QWidget* widget)
        : m_widget(widget)
    {
    }
    virtual ~CWnd() = default;

    QWidget* widget() const { return m_widget; }
    void Attach(QWidget* widget) { m_widget = widget; }

    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;

private:
    QWidget* m_widget = nullptr;
};
