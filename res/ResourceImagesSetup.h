// Puts the icon and bitmaps of this program into the framework's image registry.
#pragma once

// Registers icon 132, bitmap 148 and bitmap 145, the logo with the simulated-board tag when `simulatedBoard`.
// Calling it again replaces the earlier registrations.
void registerResourceImages(bool simulatedBoard = false);
