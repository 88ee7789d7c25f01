#pragma once

#include <gtest/gtest.h>

// Under node (the WebAssembly build) the program reaches the disk through emscripten's
// emulation of the POSIX calls. It has no named pipes, no file-size limit, no modification
// times set by the program, no names outside UTF-8, no child processes and no signals: a
// test of how the program meets those is skipped there, with its reason, and still runs
// natively.
#ifdef __EMSCRIPTEN__
#define AUB_SKIP_UNDER_NODE(reason) GTEST_SKIP() << "sous node : " << (reason)
#else
#define AUB_SKIP_UNDER_NODE(reason) static_cast<void>(0)
#endif
