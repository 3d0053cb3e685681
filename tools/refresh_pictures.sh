#!/usr/bin/env bash
# Draws the pictures under docs/pictures anew: each one kept there is
# replaced by the tour's picture of the same step (pinlet demo --pictures).
# Run it after a change that alters what the tour shows; the test
# DemoPicturesTest.ThePicturesUnderDocsAreThoseTheCurrentCodeDraws fails
# until then.
set -euo pipefail
cd "$(dirname "$0")/.."
pinlet="${PINLET:-build/src/app/pinlet}"
tour="$(mktemp -d)"
trap 'rm -rf "$tour"' EXIT
"$pinlet" demo --pictures "$tour" > /dev/null
for kept in docs/pictures/*.png; do
  name="$(basename "$kept")"
  if [ ! -f "$tour/$name" ]; then
    echo "refresh_pictures: the tour has no step $name any more; pick another" >&2
    exit 1
  fi
  cp "$tour/$name" "$kept"
done
echo "refreshed: $(ls docs/pictures/*.png | wc -l) pictures"
