// What screen readers hear for a drop-down list. Qt names an editable combo box on Linux by its
// current item ("None", "100 = 18mA"), which says nothing about what the list sets; ours is named by
// its accessible name and tells its item as its value.
#pragma once

// Registers the interface for every DropDownList; once per application object.
void installDropDownListAccessible();
