// Test support: puts the adapter connection back in its state at program start.
#pragma once

void adapterResetForTests();
