#!/usr/bin/env python3
# Puts the page's WebAssembly into a classic script, so that the page
# loads it without a fetch (none works from file://, and its policy
# allows none):
#   cmake/embed-wasm.py quopra.wasm quopra-wasm.js
import base64
import sys

with open(sys.argv[1], "rb") as wasm:
    encoded = base64.b64encode(wasm.read()).decode("ascii")
with open(sys.argv[2], "w", encoding="ascii") as out:
    out.write("// Generated from quopra.wasm by cmake/embed-wasm.py.\n")
    out.write("globalThis.QuopraWasm = \"%s\";\n" % encoded)
