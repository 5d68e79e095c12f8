#!/usr/bin/env bash
# The Debian package as a user gets it, from the build in $1: made by CPack, judged by lintian and
# the menu entry's validator, unpacked into a scratch folder (nothing is installed) and started
# from another folder with a scratch home.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAILED: $*" >&2
  cat "$work/run.log" >&2 2>/dev/null || true
  exit 1
}

(cd "$build" && cpack > "$work/run.log") || fail "cpack"
deb=$(ls -t "$build"/vulcara_*.deb | head -n 1)
dpkg-deb -c "$deb"
lintian --fail-on error --display-info "$deb" | tee "$work/lintian.log" || fail "lintian: an error"
# Hardened and stripped as a Debian binary is, even in lintian's notes.
! grep -E "hardening-|binary-has-unneeded-section" "$work/lintian.log" || fail "not hardened"
root=$work/root
dpkg-deb -x "$deb" "$root"
app=org.example.vulcara
desktop-file-validate "$root/usr/share/applications/$app.desktop" || fail "the menu entry"
metainfo=$root/usr/share/metainfo/$app.metainfo.xml
# The AppStream metadata, strictly (a missing content rating is only a note), and its launchable
# as the desktop entry found beside it.
[ -f "$metainfo" ] && appstreamcli validate-tree --no-net --pedantic --strict "$root" ||
  fail "the AppStream metadata"
# Each screenshot it names at the homepage is a picture the package carries for publishing there.
urls=$(grep -o '<image>[^<]*' "$metainfo" | sed 's/<image>//')
[ -n "$urls" ] || fail "no screenshots"
for url in $urls; do
  picture=$root/usr/share/doc/vulcara/screenshots/${url##*/}
  [ "$(file -b --mime-type "$picture")" = image/png ] || fail "the screenshot $url"
done

data=$root/usr/share/games/vulcara
contents() {
  (cd "$data" && find . -printf '%p %s %M\n' | sort && find . -type f -exec md5sum {} + | sort)
}
before=$(contents)
# The unpacked program, started from elsewhere, with only the scratch home to go by.
vulcara() {
  env -u XDG_CONFIG_HOME -u XDG_STATE_HOME HOME="$work/home" ${state:+XDG_STATE_HOME=$state} \
    "$root/usr/games/vulcara" "$@" > "$work/run.log" 2>&1
}
# Runs a command and tells whether it ended with exactly the status given first: a failure of
# another kind (a crash, an error in the options) is no failed start-up.
expect_status() {
  local want=$1 status=0
  shift
  "$@" || status=$?
  [ "$status" = "$want" ] || { echo "status $status, not $want: $*" >&2; return 1; }
}
# The manual page's writer says when its file can't be written.
expect_status 1 "$build/app/write_manual_page" /dev/full || fail "a manual page lost to a full disk"
mkdir -p "$work/start" "$work/home/.config/vulcara" "$work/reference"
cd "$work/start"

vulcara --version && [ "$(cat "$work/run.log")" = "vulcara $(dpkg-deb -f "$deb" Version)" ] ||
  fail "--version"
vulcara --headless --fixed-step 20 --frames 3 --capture shots --capture-every 3 \
  --benchmark-json bench.json || fail "the unpacked program's run"
[ -f shots/frame-000003.png ] && [ -s bench.json ] || fail "relative paths in the starting folder"
# The manual page stands on its own (the package has no README), and the input script it shows,
# taken from its source, runs as it is.
zcat "$root/usr/share/man/man6/vulcara.6.gz" > "$work/vulcara.6"
! grep README "$work/vulcara.6" || fail "the manual page sends readers to the README"
awk '/^\.EE$/ { f = 0 } f; /^\.EX$/ { f = 1 }' "$work/vulcara.6" | sed 's/\\e/\\/g' > example.txt
grep -q '^3.5 .*/help\\r ' example.txt && vulcara --headless --fixed-step 100 --input example.txt ||
  fail "the manual page's input script"
(cd "$data" && vulcara --headless --frames 1) || fail "a run inside the data folder"
[ "$before" = "$(contents)" ] || fail "the data folder changed"
# Every start-up line, as a run in the build's data folder logs them.
cp -r "$build/data/." "$work/reference"
(cd "$work/reference" && "$build/app/vulcara" --headless --frames 1 > /dev/null 2>&1)
diff "$work/reference/conout.log" "$work/home/.local/state/vulcara/conout.log" || fail "the log"
# The state folders the program made are the user's alone.
[ "$(stat -c %a "$work/home/.local" "$work/home/.local/state" "$work/home/.local/state/vulcara" |
  sort -u)" = 700 ] || fail "the state folder's permissions"

# The user's config.ini comes first: this one makes the start-up fail.
printf 'displaymode= -1 600 waterdetail= low showfps= 0\n' > "$work/home/.config/vulcara/config.ini"
expect_status 1 vulcara --headless --frames 1 &&
  grep -q "out of range (-1x600)" "$work/run.log" || fail "the user's config.ini"
rm "$work/home/.config/vulcara/config.ini"
# A state folder that can't be made costs the log, with one message, and nothing else.
touch "$work/blocked"
state=$work/blocked/state vulcara --headless --frames 1 || fail "a run without its log"
[ "$(grep -c conout.log "$work/run.log")" = 1 ] || fail "one message for the lost log"
# A data folder that is incomplete, then missing: status 1, naming the folder and the file.
rm "$data/textures/ocean.bmp"
expect_status 1 vulcara --headless --frames 1 &&
  grep -q "$data is incomplete, missing: textures/ocean.bmp" "$work/run.log" || fail "incomplete"
rm -r "$data"
expect_status 1 vulcara --headless --frames 1 &&
  grep -q "no data folder found; looked in $work/start" "$work/run.log" || fail "no data folder"
echo "package checked: $deb"
