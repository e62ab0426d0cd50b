#!/usr/bin/env bash
# Checks of the installed program, run by CTest:
#   check_install.sh tree|diary|deb BUILD_DIR SOURCE_DIR APP_ID
# tree:  installs into a temporary prefix, checks the tree and validates the desktop entry and
#        the software-centre description with the desktop's own validators.
# diary: starts the installed program with its bin folder read-only and a home of its own, and
#        checks that the diary, its settings and its lock go to the user's data folder, made for
#        the user only, and that nothing is written beside the program.
# deb:   builds the Debian package and checks its files and its declared dependencies.
# Exits 77 (skipped) when the machine cannot give the program a read-only folder.
set -euo pipefail

mode=$1 build=$2 source=$3 id=$4
work=$(mktemp -d /tmp/pulmora-install-test-XXXXXX)
cleanup() {
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}
expect_file() { [ -f "$1" ] || fail "$1 is missing"; }

# The width and height a PNG file's header gives.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'
}

install_into() { cmake --install "$build" --prefix "$1" >/dev/null; }

check_tree() {
  local prefix=$work/prefix
  install_into "$prefix"
  [ -x "$prefix/bin/pulmora" ] || fail "bin/pulmora is not an executable"
  local page
  for page in "$source"/help/*.html; do
    cmp -s "$page" "$prefix/share/pulmora/help/$(basename "$page")" ||
      fail "help page $(basename "$page") not installed"
  done
  expect_file "$prefix/share/pulmora/help/index.html"

  local desktop=$prefix/share/applications/$id.desktop metainfo=$prefix/share/metainfo/$id.metainfo.xml
  expect_file "$desktop"
  expect_file "$metainfo"
  desktop-file-validate "$desktop" || fail "desktop-file-validate refused $desktop"
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli refused $metainfo"
  grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
  grep -qx "Exec=pulmora" "$desktop" || fail "the desktop entry does not start pulmora"
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the description does not name the desktop entry"
  grep -q '<screenshot type="default">' "$metainfo" || fail "the description has no screenshot"
  grep -q '<release version="[0-9.]*" date="[0-9-]*"' "$metainfo" || fail "the description has no release"

  local icons=$prefix/share/icons/hicolor size
  expect_file "$icons/scalable/apps/$id.svg"
  for size in 16 22 24 32 48 64 128 256; do
    expect_file "$icons/${size}x${size}/apps/$id.png"
    [ "$(png_size "$icons/${size}x${size}/apps/$id.png")" = "${size}x${size}" ] ||
      fail "the ${size}px icon has another size"
  done

  # Nothing else is installed: no tests, benchmarks or developers' tools.
  local unexpected
  unexpected=$(cd "$prefix" && find . -type f | grep -v -e '^./bin/pulmora$' -e '^./share/pulmora/help/' \
    -e "^./share/applications/$id.desktop\$" -e "^./share/metainfo/$id.metainfo.xml\$" \
    -e "^./share/icons/hicolor/[0-9x]*/apps/$id.png\$" -e "^./share/icons/hicolor/scalable/apps/$id.svg\$" || true)
  [ -z "$unexpected" ] || fail "unexpected files installed: $unexpected"
  echo "installed tree, desktop entry and description are valid"
}

# Waits up to ten seconds for every file given to exist.
wait_for() {
  local tries=0 f missing
  while :; do
    missing=
    for f in "$@"; do [ -e "$f" ] || missing=$f; done
    [ -z "$missing" ] && return 0
    tries=$((tries + 1))
    [ $tries -le 100 ] || fail "$missing did not appear"
    sleep 0.1
  done
}

check_diary() {
  local prefix=$work/prefix home=$work/home data=$work/data
  install_into "$prefix"
  mkdir -p "$home"
  local -a run=(env HOME="$home" XDG_DATA_HOME="$data" QT_QPA_PLATFORM=offscreen)
  local -a first
  if [ "$(id -u)" -eq 0 ]; then
    # The superuser writes through permissions: the bin folder is made read-only by a read-only
    # mount of it, seen only by the program.
    unshare --mount --propagation private true 2>/dev/null || {
      echo "a private read-only mount cannot be made here; skipped"
      exit 77
    }
    first=(unshare --mount --propagation private sh -c \
      'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" && shift && exec "$@"' sh "$prefix/bin" \
      "${run[@]}" "$prefix/bin/pulmora")
  else
    chmod a-w "$prefix/bin"
    first=("${run[@]}" "$prefix/bin/pulmora")
  fi
  local before
  before=$(cd "$prefix" && find . -printf '%p %s %T@\n' | sort)

  "${first[@]}" >"$work/first.log" 2>&1 &
  local pid=$!
  local diary=$data/Pulmora
  wait_for "$diary"/{Personal,Daily,PerTrig,RefTrig,DlyTrig,PerMed,DlyMed}.dat "$diary/pulmora.lock"
  kill -0 $pid 2>/dev/null || fail "the program ended: $(cat "$work/first.log")"

  # A second copy finds the first one's lock in the user's folder, asks it to come forward and ends.
  timeout 20 "${run[@]}" "$prefix/bin/pulmora" >"$work/second.log" 2>&1 || fail "the second copy did not end by itself"
  kill -0 $pid 2>/dev/null || fail "the first copy ended when the second started"
  kill $pid
  wait $pid 2>/dev/null || true

  [ "$(stat -c %a "$diary")" = 700 ] || fail "$diary is not for its owner only: $(stat -c %a "$diary")"
  local f
  for f in "$diary"/*.dat "$diary/pulmora.lock"; do
    [ "$(stat -c %a "$f")" = 600 ] || fail "$f is not for its owner only"
  done
  [ "$(cd "$prefix" && find . -printf '%p %s %T@\n' | sort)" = "$before" ] || fail "something was written in $prefix"
  echo "the installed program keeps its diary in $diary"
}

check_deb() {
  local out=$work/package
  (cd "$build" && cpack -G DEB -B "$out" >"$work/cpack.log" 2>&1) || fail "cpack failed: $(cat "$work/cpack.log")"
  local debs=("$out"/pulmora_*.deb)
  [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single pulmora_*.deb in $out"
  local deb=${debs[0]}
  dpkg-deb -I "$deb"
  ! dpkg-deb -f "$deb" Description | grep -q ';' || fail "the description's sentences are joined by list separators"
  local contents
  contents=$(dpkg-deb -c "$deb")
  echo "$contents"

  # The package holds the installed tree, under /usr, and the program is executable.
  local prefix=$work/prefix
  install_into "$prefix"
  diff <(cd "$prefix" && find . -type f | sed 's|^\./|./usr/|' | sort) \
    <(awk '$1 !~ /^d/ { print $6 }' <<<"$contents" | sort) || fail "the package's files differ from the installed tree"
  [ "$(awk '$6 == "./usr/bin/pulmora" { print $1 }' <<<"$contents")" = -rwxr-xr-x ] ||
    fail "/usr/bin/pulmora is not an executable in the package"

  # Every library the program links comes from a package the .deb depends on, and the fonts too.
  local depends
  depends=$(dpkg-deb -f "$deb" Depends)
  echo "Depends: $depends"
  local names
  names=$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')
  local library path package linked
  linked=$(ldd "$prefix/bin/pulmora")
  for library in $(readelf -d "$prefix/bin/pulmora" | sed -n 's/.*NEEDED.*\[\(.*\)\]/\1/p'); do
    path=$(awk -v l="$library" '$1 == l { print $3 }' <<<"$linked")
    package=$( (dpkg -S "$path" 2>/dev/null || dpkg -S "$(readlink -f "$path")" 2>/dev/null) | head -1 | cut -d: -f1)
    [ -n "$package" ] || fail "no Debian package holds $library"
    grep -qxF "$package" <<<"$names" || fail "$library ($package) is not among the dependencies"
  done
  grep -qxF fonts-liberation <<<"$names" || fail "fonts-liberation is not among the dependencies"
  echo "the package installs the tree and declares what it needs"
}

case $mode in
  tree) check_tree ;;
  diary) check_diary ;;
  deb) check_deb ;;
  *) fail "unknown check $mode" ;;
esac
