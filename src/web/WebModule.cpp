// The WebAssembly module of the browser view: its functions are the bridge library's
// (exported by name at link time), it has no entry point of its own.
#include "web/BridgeApi.h"
