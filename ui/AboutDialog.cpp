#include "AboutDialog.h"

#include "res/AboutDialogTemplate.h"

AboutDialog::AboutDialog(CDialog* parent)
    : CDialog(aboutDialogTemplate, parent)
{
}
