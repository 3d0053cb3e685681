# Sourced by the set-up scripts: installs the Debian packages given that are
# not installed yet (through sudo when not root), and nothing else.
install_missing_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  # A mirror caught mid-sync fails one index; the others, and the lists
  # already on the machine, still serve what they have.
  $sudo_cmd apt-get update -qq || echo "apt-get update failed for some index; going on"
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}
