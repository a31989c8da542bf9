#!/bin/sh
# Runs a command in a network namespace of its own with only the loopback up: whatever a browser
# tries to reach beyond 127.0.0.1 (a host name to resolve included) fails here instead of leaving
# the machine. The checks' own proxy (engines.mjs) makes such requests fail fast and visibly.
exec unshare --net sh -c 'ip link set lo up && exec "$@"' sh "$@"
