#include "DialogApplication.h"

#include "DialogLook.h"
#include "DropDownListAccessible.h"

#include <clocale>

DialogApplication::DialogApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    // QApplication hands the C library the desktop's locale; hex cells, Target and the percentage
    // must read the same in every one of them ("3.1", never "3,1").
    std::setlocale(LC_NUMERIC, "C");
    applyDialogLook(*this);
    installDropDownListAccessible();
}
