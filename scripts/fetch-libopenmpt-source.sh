#!/usr/bin/env bash
# Fetches the Debian source package of libopenmpt into WORK/src and prints the
# folder it unpacked to. The machine's own apt configuration is left
# untouched: the source entries are derived into WORK/apt from the archive the
# machine is configured with. Shared by the Windows and the web builds.
set -euo pipefail
WORK="$(realpath -m "$1")"
APT="$WORK/apt"
mkdir -p "$APT/parts" "$APT/lists/partial" "$APT/cache/archives/partial" "$WORK/src"

# The binary entries the machine uses, turned into source entries.
if [ -f /etc/apt/sources.list ]; then
  sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list >"$APT/sources.list"
else
  : >"$APT/sources.list"
fi
for f in /etc/apt/sources.list.d/*.sources; do
  [ -e "$f" ] || continue
  sed 's/^Types:.*$/Types: deb-src/' "$f" >"$APT/parts/$(basename "$f")"
done
for f in /etc/apt/sources.list.d/*.list; do
  [ -e "$f" ] || continue
  sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >"$APT/parts/$(basename "$f")"
done

APT_OPTIONS=(
  -o "Dir::Etc::SourceList=$APT/sources.list"
  -o "Dir::Etc::SourceParts=$APT/parts"
  -o "Dir::State::Lists=$APT/lists"
  -o "Dir::Cache=$APT/cache"
  # The files land in a folder of ours, which apt's unprivileged user cannot write.
  -o "APT::Sandbox::User=root"
)
echo "fetch-libopenmpt-source: fetching the source package" >&2
apt-get "${APT_OPTIONS[@]}" update -qq >&2
# The version the Linux build links against, when the archive still has it.
VERSION="$(dpkg-query -W -f='${Version}' libopenmpt-dev 2>/dev/null || true)"
PACKAGE=libopenmpt
if [ -n "$VERSION" ] && apt-cache "${APT_OPTIONS[@]}" showsrc "libopenmpt=$VERSION" 2>/dev/null | grep -q '^Version:'; then
  PACKAGE="libopenmpt=$VERSION"
fi
(cd "$WORK/src" && apt-get "${APT_OPTIONS[@]}" source -qq "$PACKAGE" >/dev/null)
find "$WORK/src" -mindepth 1 -maxdepth 1 -type d | head -n 1
