#!/usr/bin/env bash
# Checks of the desktop installation, one mode per ctest test:
#   desktop SOURCES BUILT      desktop entry, AppStream metadata, .kvx file type
#   docs SOURCES KVTK CLI SIM  manual pages and completion cover every option
#   deb BUILD_DIR CPACK        package content, and the programs run unpacked
# Exit 77 (skipped) when a tool the check needs is not installed.
set -euo pipefail

fail() {
  echo "FAIL: $*" >&2
  failed=1
}
need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed" >&2; exit 77; }
  done
}
failed=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
id=org.kvtk.kvtk

desktop() {
  local sources=$1 built=$2
  need desktop-file-validate appstreamcli update-mime-database xdg-mime
  desktop-file-validate "$sources/$id.desktop" || fail "desktop entry"
  appstreamcli validate --no-net "$built/$id.metainfo.xml" || fail "AppStream metadata"

  # The type as a desktop sees it once the package's MIME XML is installed.
  export XDG_DATA_HOME=$tmp/data XDG_DATA_DIRS=$tmp/data:/usr/share
  mkdir -p "$XDG_DATA_HOME/mime/packages"
  cp "$sources/$id.mime.xml" "$XDG_DATA_HOME/mime/packages/$id.xml"
  update-mime-database "$XDG_DATA_HOME/mime"
  local rule
  rule=$(printf -- '-%.0s' {1..40})
  printf '%s\r\nWQ08 5.00 data\r\n%s\r\nFile Header\r\nDate=12-03-26\r\n' "$rule" "$rule" \
    >"$tmp/saved"
  cp "$tmp/saved" "$tmp/panel.kvx"
  printf 'shopping list\n' >"$tmp/x.kvx"
  printf 'shopping list\n' >"$tmp/notes"
  # file | expected type: the name decides, else the content
  local cases=(
    "x.kvx|application/x-kvtk-data"
    "panel.kvx|application/x-kvtk-data"
    "saved|application/x-kvtk-data"
    "notes|text/plain"
  )
  local entry file expected got
  for entry in "${cases[@]}"; do
    IFS='|' read -r file expected <<<"$entry"
    got=$(cd "$tmp" && xdg-mime query filetype "$file")
    [ "$got" = "$expected" ] || fail "xdg-mime says $file is '$got', not $expected"
  done
}

docs() {
  local sources=$1 kvtk=$2 cli=$3 sim=$4
  # The long options of a help text, and the commands of kvtk-cli's.
  options() { "$@" --help | grep -oE -- '--[a-z][a-z-]+' | sort -u; }
  local program page option text
  for program in "$kvtk" "$cli" "$sim"; do
    page=$sources/man/$(basename "$program").1
    text=$(sed 's/\\-/-/g' "$page")
    for option in $(options "$program"); do
      grep -qe "$option\b" <<<"$text" || fail "$page does not describe $option"
    done
  done
  local completion=$sources/completion/kvtk-cli commands
  commands=$("$cli" --help | sed -n '/^Commands:/,/^$/p' | awk 'NR > 1 && NF { print $1 }')
  [ -n "$commands" ] || fail "no commands found in kvtk-cli --help"
  for option in $(options "$cli") $commands; do
    grep -qe "[ \"]$option\b" "$completion" || fail "the completion does not offer $option"
  done
  text=$(sed 's/\\-/-/g' "$sources/man/kvtk-cli.1")
  for option in $commands; do
    grep -qE "^\.B[RI]? $option\b" <<<"$text" ||
      fail "kvtk-cli.1 does not describe the command $option"
  done
}

deb() {
  local build=$1 cpack=$2
  need dpkg-deb dpkg-shlibdeps
  (cd "$build" && "$cpack" -G DEB -B "$tmp/out" -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip \
    >"$tmp/cpack.log") || { cat "$tmp/cpack.log" >&2; fail "cpack"; return; }
  local package
  package=$(ls "$tmp"/out/kvtk_*.deb)
  [[ $(basename "$package") =~ ^kvtk_[0-9.]+_[a-z0-9]+\.deb$ ]] || fail "package name $package"
  dpkg-deb -c "$package" | awk '{ print $6 }' | sed 's|^\./|/|' >"$tmp/list"
  local path
  for path in /usr/bin/kvtk /usr/bin/kvtk-cli /usr/bin/kvtk-sim \
    /usr/share/applications/$id.desktop /usr/share/mime/packages/$id.xml \
    /usr/share/metainfo/$id.metainfo.xml /usr/share/icons/hicolor/scalable/apps/$id.svg \
    /usr/share/icons/hicolor/48x48/apps/$id.png /usr/share/icons/hicolor/256x256/apps/$id.png \
    /usr/share/man/man1/kvtk.1.gz /usr/share/man/man1/kvtk-cli.1.gz \
    /usr/share/man/man1/kvtk-sim.1.gz /usr/share/bash-completion/completions/kvtk-cli \
    /usr/share/doc/kvtk/copyright /usr/share/doc/kvtk/examples/60-kvtk-modemmanager-ignore.rules; do
    grep -qxF "$path" "$tmp/list" || fail "the package lacks $path"
  done
  ! grep -q '^/lib/udev\|^/usr/lib/udev' "$tmp/list" || fail "the package installs an active udev rule"
  dpkg-deb -f "$package" Depends | grep -q 'libqt6widgets6' ||
    fail "Depends does not name the Qt libraries: $(dpkg-deb -f "$package" Depends)"

  dpkg-deb -x "$package" "$tmp/root"
  local program
  for program in kvtk-cli kvtk; do
    "$tmp/root/usr/bin/$program" --version | grep -q '5\.1' || fail "unpacked $program --version"
  done
}

mode=$1
shift
"$mode" "$@"
exit $failed
