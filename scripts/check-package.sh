#!/usr/bin/env bash
# Checks installing and packaging:
#  1. `cmake --install` lays out the ready-to-run folder with the starting data
#     (data/download) and a desktop entry for it; a second install keeps
#     downloaded data, and replaces the generated sample data that earlier
#     versions laid out;
#  2. CPack packs the same folder as a tar.gz,
#  3. and as a Debian package: the program in /usr/lib/septarion with links to
#     its read-only files in /usr/share/septarion, the desktop entry, icon,
#     AppStream metadata and manual page system-wide, dependencies from the
#     shared libraries; lintian, desktop-file-validate and appstreamcli find
#     no error and no warning;
#  4. the program in the unpacked tar.gz starts (under a virtual X display),
#     shows its caption, and a second copy ends at once with exit code 0;
#  5. as root: the Debian package installs (apt-get, running dpkg); its
#     program, started offscreen by a user who cannot write to
#     /usr/lib/septarion, seeds that user's data folder with the starting
#     data, keeps running and writes nothing into the package's folders;
#     removing and purging the package print no warning and leave none of its
#     files or folders behind.
# A part that cannot run here is skipped with a message saying why.
#   scripts/check-package.sh <build folder> <version>
# Exit code 77 means skipped: nothing could be checked.
set -euo pipefail
# The manual's file name is Japanese: archiving it needs a UTF-8 locale, which
# a bare environment (LANG unset, as under CI) does not give.
export LC_ALL=C.UTF-8

build=$(cd "$1" && pwd)
version=$2
root=$(cd "$(dirname "$0")/.." && pwd)
caption="Septarion  [for Version $version]"
deb_folder=/usr/lib/septarion
deb_share=/usr/share/septarion
app_id=example.ozumel.Septarion
work=$(mktemp -d)
# Readable by apt's own user, which reads the package file.
chmod 755 "$work"
deb_installed=no
nobody_home=
checked=0

# shellcheck disable=SC2317 # run by the exit trap
cleanup() {
  if [ "$deb_installed" = yes ]; then
    apt-get purge -y -qq -o DPkg::Lock::Timeout=600 septarion >/dev/null 2>&1 ||
      echo "WARNING: could not remove the package septarion again" >&2
  fi
  [ -z "$nobody_home" ] || rm -rf "$nobody_home"
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

skip() {
  echo "SKIP: $*"
}

check_folder() {
  local folder=$1
  for file in septarion download/Loto7Number.csv download/Loto7Data.csv 操作手順書.pdf \
    septarion.svg; do
    [ -s "$folder/$file" ] || fail "$folder/$file is missing"
  done
  [ -x "$folder/septarion" ] || fail "$folder/septarion is not executable"
  # The real results, not the generated sample data.
  for name in Loto7Number.csv Loto7Data.csv; do
    cmp -s "$folder/download/$name" "$root/data/download/$name" ||
      fail "$folder/download/$name is not the starting data"
  done
}

# An empty exec_path: the entry starts the command septarion from the PATH.
check_entry() {
  local entry=$1 exec_path=$2 icon=$3 exec_line="Exec=septarion"
  [ -z "$exec_path" ] || exec_line="Exec=\"$exec_path\""
  [ -f "$entry" ] || fail "no desktop entry $entry"
  grep -qxF "$exec_line" "$entry" || fail "$entry has not $exec_line"
  grep -qxF "Icon=$icon" "$entry" || fail "$entry has not the icon $icon"
  grep -qxF "Type=Application" "$entry" || fail "$entry is not an application"
  # Started from a menu, the program's folder (maybe read-only) must not be
  # the working folder a save dialog opens in.
  ! grep -q "^Path=" "$entry" || fail "$entry makes a folder the working folder"
  if command -v desktop-file-validate >/dev/null; then
    # It prints hints and warnings, and fails only on errors: nothing is accepted.
    local found
    found=$(desktop-file-validate "$entry" 2>&1) || true
    [ -z "$found" ] || fail "desktop-file-validate: $found"
  else
    skip "desktop-file-validate missing (desktop-file-utils): $entry is not validated"
  fi
}

# Every file under the folders with its size, time and mode: what must not change.
snapshot() {
  find "$@" -printf '%p %s %T@ %m\n' | sort
}

# 1. The folder from `cmake --install`; a second install keeps downloaded
#    data and replaces the generated sample data.
installed="$work/installed folder"
cmake --install "$build" --prefix "$installed" >/dev/null
check_folder "$installed"
[ -x "$installed/install-desktop-entry.sh" ] || fail "$installed/install-desktop-entry.sh is missing"
check_entry "$installed/septarion.desktop" "$installed/septarion" "$installed/septarion.svg"
printf 'downloaded\r\n' >"$installed/download/Loto7Number.csv"
cp "$root/sample/download/Loto7Data.csv" "$installed/download/Loto7Data.csv"
cmake --install "$build" --prefix "$installed" >/dev/null
[ "$(cat "$installed/download/Loto7Number.csv")" = $'downloaded\r' ] ||
  fail "a second install replaced the downloaded data"
cmp -s "$installed/download/Loto7Data.csv" "$root/data/download/Loto7Data.csv" ||
  fail "a second install kept the generated sample data"
echo "install: ok"
checked=$((checked + 1))

# 2. The tar.gz from CPack holds the same folder; its script adds the entry.
(cd "$work" && cpack -G TGZ --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null)
tarballs=("$work"/package/*.tar.gz)
[ -f "${tarballs[0]}" ] || fail "no tar.gz package"
mkdir "$work/unpacked"
tar -xzf "${tarballs[0]}" -C "$work/unpacked"
folders=("$work"/unpacked/*)
folder=${folders[0]}
check_folder "$folder"
[ -x "$folder/install-desktop-entry.sh" ] || fail "$folder/install-desktop-entry.sh is missing"
XDG_DATA_HOME="$work/data" "$folder/install-desktop-entry.sh" >/dev/null
check_entry "$work/data/applications/septarion.desktop" "$folder/septarion" "$folder/septarion.svg"
echo "package: ok ($(basename "${tarballs[0]}"))"
checked=$((checked + 1))

# 3. The Debian package.
deb=
if ! command -v dpkg-deb >/dev/null || ! command -v dpkg-shlibdeps >/dev/null ||
  ! command -v file >/dev/null; then
  skip "dpkg-deb, dpkg-shlibdeps or file missing (dpkg-dev, file): no Debian package built"
else
  (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb") \
    >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log" >&2
    fail "CPack could not build the Debian package"
  }
  debs=("$work"/deb/septarion_*.deb)
  deb=${debs[0]}
  [ -f "$deb" ] || fail "no Debian package"
  [ "$(dpkg-deb -f "$deb" Package)" = septarion ] || fail "the package is not named septarion"
  [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
  depends=$(dpkg-deb -f "$deb" Depends)
  for lib in libqt6core6 libqt6widgets6 libqt6charts6 libqt6network6 libqt6svg6; do
    [[ "$depends" == *"$lib "* ]] || fail "the package does not depend on $lib: $depends"
  done
  deb_root="$work/deb/root"
  dpkg-deb -x "$deb" "$deb_root"
  # The links resolve inside the unpacked tree: the program finds its files.
  check_folder "$deb_root$deb_folder"
  if [ ! -L "$deb_root$deb_folder/download" ] || [ ! -d "$deb_root$deb_share/download" ]; then
    fail "the starting data is not in $deb_share, linked from $deb_folder"
  fi
  check_entry "$deb_root/usr/share/applications/$app_id.desktop" "" "$app_id"
  [ -s "$deb_root/usr/share/icons/hicolor/scalable/apps/$app_id.svg" ] ||
    fail "the package has no system-wide icon"
  [ "$(readlink -f "$deb_root/usr/bin/septarion")" = "$deb_root$deb_folder/septarion" ] ||
    fail "the package has no command septarion"
  [ ! -e "$deb_root$deb_folder/install-desktop-entry.sh" ] ||
    fail "the package carries the per-user menu script"
  for page in man/man1 man/ja/man1; do
    gzip -dc "$deb_root/usr/share/$page/septarion.1.gz" | grep -c '^\.SH ' >/dev/null ||
      fail "the package has no manual page $page/septarion.1.gz"
  done
  if command -v appstreamcli >/dev/null; then
    # The tree: the metadata, and the desktop entry its launchable names.
    appstreamcli validate-tree --no-net "$deb_root" >"$work/appstream.log" 2>&1 || {
      cat "$work/appstream.log" >&2
      fail "appstreamcli finds the metadata invalid"
    }
    grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" \
      "$deb_root/usr/share/metainfo/$app_id.metainfo.xml" ||
      fail "the metadata does not launch $app_id.desktop"
  else
    skip "appstreamcli missing (appstream): the metadata is not validated"
  fi
  if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || {
      cat "$work/lintian.log" >&2
      fail "lintian finds errors or warnings in the package"
    }
  else
    skip "lintian missing: the package is not checked against Debian's policy"
  fi
  echo "debian package: ok ($(basename "$deb"))"
  checked=$((checked + 1))
fi

# 4. The program in the tar.gz starts, with its own settings and lock folders,
#    on the desktop tests' session: a private display with a window manager,
#    and waits with a deadline.
if ! command -v Xvfb >/dev/null || ! command -v openbox >/dev/null ||
  ! command -v xwininfo >/dev/null || ! command -v xprop >/dev/null; then
  skip "Xvfb, openbox, xwininfo or xprop missing (xvfb, openbox, x11-utils): the start is not checked"
else
  (
    # shellcheck source=tests/desktop/desktop-session.sh
    source "$root/tests/desktop/desktop-session.sh"
    start_desktop
    "$folder/septarion" &
    first=$!
    started_pids+=("$first")
    # shellcheck disable=SC2317 # called by wait_until
    window_shown() {
      kill -0 "$first" 2>/dev/null || fail "the program ended before showing its window"
      # Read whole: under pipefail, grep -q ending early would fail the pipe
      # (xwininfo killed by SIGPIPE) even when the caption is there.
      local windows
      windows=$(xwininfo -root -tree 2>/dev/null) || return 1
      [[ "$windows" == *"\"$caption\""* ]]
    }
    wait_until "a window captioned '$caption'" window_shown
    echo "window: $caption"
    # The second copy of the same file ends at once, silently, with 0.
    second=0
    timeout 60 "$folder/septarion" || second=$?
    [ "$second" -eq 0 ] || fail "the second copy ended with $second"
    kill -0 "$first" 2>/dev/null || fail "the first copy ended too"
    echo "second copy ended with 0; the first runs on"
  )
  echo "start: ok"
  checked=$((checked + 1))
fi

# 5. The Debian package installed, its program started by a user who cannot
#    write to its folder. Installing touches the machine: only as root, only
#    when no septarion is installed already, only when nothing but the
#    package itself would be installed; the package is removed at the end
#    (and by the exit trap on a failure). A lock keeps two checks (of two
#    builds, say) from installing at the same time.
run_installed_as_nobody() {
  nobody_home=$(mktemp -d)
  chown 65534:65534 "$nobody_home"
  chmod 700 "$nobody_home"
  local data="$nobody_home/data/Ozumel/Septarion"
  local before
  before=$(snapshot "$deb_folder" "$deb_share")
  ! setpriv --reuid=65534 --regid=65534 --clear-groups test -w "$deb_folder" ||
    fail "$deb_folder is writable for the user"
  setpriv --reuid=65534 --regid=65534 --clear-groups \
    env -i PATH=/usr/bin:/bin HOME="$nobody_home" XDG_CONFIG_HOME="$nobody_home/config" \
    XDG_DATA_HOME="$nobody_home/data" XDG_CACHE_HOME="$nobody_home/cache" \
    XDG_RUNTIME_DIR="$nobody_home" LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen \
    septarion >"$work/nobody.log" 2>&1 &
  local pid=$!
  local deadline=$((SECONDS + 120))
  until [ -f "$data/download/Loto7Number.csv" ] && [ -f "$data/download/Loto7Data.csv" ] &&
    [ -d "$data/client" ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
      cat "$work/nobody.log" >&2
      fail "the installed program ended before seeding $data"
    fi
    if [ $SECONDS -gt $deadline ]; then
      kill "$pid"
      fail "the installed program did not seed $data"
    fi
    sleep 0.5
  done
  # Loading the seeded data follows; the program must still be running after it.
  sleep 3
  kill -0 "$pid" 2>/dev/null || {
    cat "$work/nobody.log" >&2
    fail "the installed program ended after seeding"
  }
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  for name in Loto7Number.csv Loto7Data.csv; do
    cmp -s "$data/download/$name" "$root/data/download/$name" ||
      fail "$data/download/$name is not the starting data"
  done
  [ "$(stat -c %u "$data/download/Loto7Number.csv")" = 65534 ] ||
    fail "the seeded data does not belong to the user"
  [ "$(snapshot "$deb_folder" "$deb_share")" = "$before" ] ||
    fail "the program wrote into $deb_folder or $deb_share"
  echo "installed program as a user without write access: seeded $data, nothing written to $deb_folder"
}

# apt-get, waiting for the package database's lock, running dpkg; a warning
# from dpkg (a folder it could not remove, say) fails the check.
apt_dpkg() {
  apt-get "$1" -y -q -o DPkg::Lock::Timeout=600 "${@:2}" >"$work/apt.log" 2>&1 || {
    cat "$work/apt.log" >&2
    fail "apt-get $* failed"
  }
  ! grep -i "warning" "$work/apt.log" >&2 || fail "apt-get $* warned"
}

if [ -z "$deb" ]; then
  skip "no Debian package: not installed"
elif [ "$(id -u)" -ne 0 ]; then
  skip "not root: the Debian package is not installed (run the check as root for that)"
elif ! command -v apt-get >/dev/null || ! command -v setpriv >/dev/null ||
  ! command -v flock >/dev/null; then
  skip "apt-get, setpriv or flock missing: the Debian package is not installed"
else
  lock_dir=/run/lock
  [ -d "$lock_dir" ] || lock_dir=/var/lock
  exec 9>"$lock_dir/septarion-check-package.lock"
  flock 9
  if dpkg-query -W -f='${Status}' septarion 2>/dev/null | grep -q "ok installed"; then
    skip "septarion is installed on this machine already: left as it is, not checked"
  elif [ -e "$deb_folder" ]; then
    skip "$deb_folder exists: left as it is, the package is not installed"
  else
    extra=$(apt-get install -s --no-install-recommends "$deb" 2>/dev/null |
      awk '$1 == "Inst" && $2 != "septarion" { print $2 }')
    if [ -n "$extra" ]; then
      skip "installing would add further packages (${extra//$'\n'/ }): not installed"
    else
      # What the package adds to this machine: all of it must go again.
      new_paths=()
      while IFS= read -r path; do
        [ -e "$path" ] || [ -L "$path" ] || new_paths+=("$path")
      done < <(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -n 's|^\.\(/.*[^/]\)/*$|\1|p')
      deb_installed=yes
      apt_dpkg install --no-install-recommends "$deb"
      [ -x "$deb_folder/septarion" ] || fail "the package did not install $deb_folder/septarion"
      run_installed_as_nobody
      apt_dpkg remove septarion
      # Without configuration files the package is gone already; else purge it.
      if dpkg-query -W septarion >/dev/null 2>&1; then
        apt_dpkg purge septarion
      fi
      deb_installed=no
      for path in "${new_paths[@]}"; do
        if [ -e "$path" ] || [ -L "$path" ]; then fail "removing the package left $path"; fi
      done
      echo "debian package installed, run, removed and purged without a warning: ok"
      checked=$((checked + 1))
    fi
  fi
  flock -u 9
fi

[ "$checked" -gt 0 ] || exit 77
exit 0
