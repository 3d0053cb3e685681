#!/usr/bin/env bash
# Builds Pinlet and runs its guided tour.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
exec build/sim/app/pinlet demo
