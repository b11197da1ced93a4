// What both programs do before anything else: standard descriptors that can be written, and no death by
// SIGPIPE.
#pragma once

// Fills a closed descriptor 0, 1 or 2 from /dev/null, and ignores SIGPIPE, so that a write to a closed
// pipe fails with EPIPE instead of ending the process between two writes of a load.
void guardStandardStreams();
