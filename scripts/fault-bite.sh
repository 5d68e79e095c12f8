#!/bin/sh
# The suite's bite: what share of scripts/faults.txt the native suite catches (see fault_bite.py).
exec python3 "$(dirname "$0")/fault_bite.py" "$@"
