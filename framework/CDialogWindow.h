// The toolkit's window behind a CDialog: controls from the template, keys, system menu stand-in.
#pragma once

#include "CDialog.h"

#include <QDialog>

#include <map>
#include <vector>

class QMenu;
class QPushButton;

class CDialog::Window : public QDialog {
public:
    Window(CDialog& owner, QWidget* parent);

    QWidget* control(int controlId) const;
    // The first picture or icon showing image `imageId`, or nullptr.
    QWidget* image(int imageId) const;
    CWnd* item(int controlId);

    // Adds each drop-down list's template items in index order.
    void fillLists();
    void focusFirstControl();
    QMenu* popupSystemMenu(const QPoint& globalPos);

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void pressEnter();

    CDialog& m_owner;
    std::vector<QWidget*> m_controls; // in template order
    std::map<int, CWnd> m_items;
    QPushButton* m_defaultButton = nullptr;
};
