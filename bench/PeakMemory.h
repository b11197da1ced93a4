// The process's peak resident memory so far (VmHWM), in kB; -1 when it cannot be read.
#pragma once

long peakResidentKb();
