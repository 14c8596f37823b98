# Sourced by the measuring scripts.

# Runs a command with its output discarded and prints its peak resident memory in KiB.
peak_kib() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }
