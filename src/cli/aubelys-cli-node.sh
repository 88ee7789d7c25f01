#!/bin/sh
# The WebAssembly command line run by node, called like the native aubelys-cli.
exec node "$(dirname "$0")/aubelys-cli.js" "$@"
