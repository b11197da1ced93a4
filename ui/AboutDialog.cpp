#include "AboutDialog.h"

#include "AccessibleTexts.h"

#include "res/AboutDialogTemplate.h"

AboutDialog::AboutDialog(CDialog* parent)
    : CDialog(aboutDialogTemplate, parent)
{
}

bool AboutDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    describeControls(*this, aboutDialogAccessibleTexts());
    return true;
}
