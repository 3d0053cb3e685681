#!/usr/bin/env bash
# Draws the pictures of the tour kept under docs/ anew: those the README
# shows (docs/pictures) and those of the help pages (docs/help/pictures).
# Each one kept there is replaced by the tour's picture of the same step
# (pinlet demo --pictures). Run it after a change that alters what the tour
# shows; the tests DemoPicturesTest.ThePicturesUnderDocsAreThoseTheCurrentCodeDraws
# and DemoPicturesTest.TheHelpPagesPicturesAreThoseTheCurrentCodeDraws fail
# until then.
set -euo pipefail
cd "$(dirname "$0")/.."
pinlet="${PINLET:-build/sim/app/pinlet}"
tour="$(mktemp -d)"
trap 'rm -rf "$tour"' EXIT
"$pinlet" demo --pictures "$tour" > /dev/null
for folder in docs/pictures docs/help/pictures; do
  count=0
  for kept in "$folder"/*.png; do
    [ -e "$kept" ] || continue
    name="$(basename "$kept")"
    if [ ! -f "$tour/$name" ]; then
      echo "refresh_pictures: the tour has no step $name any more ($folder); pick another" >&2
      exit 1
    fi
    cp "$tour/$name" "$kept"
    count=$((count + 1))
  done
  echo "refreshed: $count pictures in $folder"
done
