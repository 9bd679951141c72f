#!/usr/bin/env bash
# installer_test.sh GAME_DIR WORK_DIR: packages GAME_DIR with scripts/package-windows, installs
# the setup silently into a fresh Wine prefix in WORK_DIR, checks what it placed, uninstalls
# and checks that only the player's settings are left; then checks the portable zip.
# GAME_DIR is the Windows build's game folder; "--stand-ins" instead makes one from tiny
# console programs. Exits 77 (skipped) when the game folder or the tools are missing.
set -uo pipefail
source="$(cd "$(dirname "$0")/../.." && pwd)"
game="${1:?usage: installer_test.sh GAME_DIR|--stand-ins WORK_DIR}"
work="${2:?usage: installer_test.sh GAME_DIR|--stand-ins WORK_DIR}"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
for tool in "$wine" "$wineserver" "$(command -v makensis)" "$(command -v zip)"; do
  [ -x "$tool" ] || { echo "SKIP: Wine, NSIS or zip is missing (scripts/install-deps)"; exit 77; }
done
rm -rf "$work"
mkdir -p "$work"
work="$(cd "$work" && pwd)"

if [ "$game" = --stand-ins ]; then # three do-nothing programs and a few data files
  compiler=x86_64-w64-mingw32-gcc-posix
  command -v "$compiler" > /dev/null || { echo "SKIP: $compiler is missing"; exit 77; }
  game="$work/stand-ins"
  mkdir -p "$game/arenas"
  echo 'int main(void) { return 0; }' > "$work/stand_in.c"
  for program in voranis voranis-bot voranis-server; do
    "$compiler" -static -o "$game/$program.exe" "$work/stand_in.c" || exit 1
  done
  printf 'RIFF' > "$game/shoot.wav"
  printf 'arena' > "$game/arenas/ring.arena"
fi
if [ ! -f "$game/voranis.exe" ]; then
  echo "SKIP: no Windows build in $game (scripts/build-windows makes it)"
  exit 77
fi

passed=0 failed=0
check() { # check WHAT COMMAND...: one line for each check
  if "${@:2}" > /dev/null 2>&1; then
    passed=$((passed + 1)) && echo "ok: $1"
  else
    failed=$((failed + 1)) && echo "FAILED: $1"
  fi
}

"$source/scripts/package-windows" "$game" "$work/out" 0.0.1 > "$work/package.log" 2>&1 ||
  { cat "$work/package.log"; echo "FAILED: package-windows"; exit 1; }

# A fresh prefix with a null sound device, no window manager to wait for, no crash dialog.
export WINEPREFIX="$work/prefix" HOME="$work/home" WINEDEBUG=-all
mkdir -p "$HOME"
echo 'pcm.!default { type null }' > "$HOME/.asoundrc"
wineRun() { "$wine" "$@" >> "$work/wine.log" 2>&1; }
wineRun wineboot -i
wineRun reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
wineRun reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
"$wineserver" -w

installed="$WINEPREFIX/drive_c/Program Files/Voranis"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Voranis"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Voranis'
registry() { "$wine" reg query "$key" /reg:64 > "$work/key.txt" 2>&1 && grep -q "$1" "$work/key.txt"; }
noKey() { ! "$wine" reg query "$key" /reg:64; }
sameFiles() { (cd "$game" && find . -type f | while read -r f; do cmp -s "$f" "$installed/$f" || exit 1; done); }

wineRun "$work/out/voranis-0.0.1-setup.exe" /S # judged by what it placed, not its exit code
"$wineserver" -w
check "every file of the game folder is installed" sameFiles
check "the uninstaller is installed" test -f "$installed/uninstall.exe"
check "the game's Start-menu entry" test -f "$menu/Voranis.lnk"
check "the server's Start-menu entry" test -f "$menu/Voranis server.lnk"
for value in 'DisplayName.*Voranis' 'DisplayVersion.*0\.0\.1' 'Publisher.*Voranis developers' \
  'DisplayIcon.*voranis\.exe' 'EstimatedSize.*0x[1-9a-f]' 'UninstallString.*uninstall\.exe'; do
  check "installed programs entry: $value" registry "$value"
done

# The installed game starts and shows its set-up dialog (on a display of the test's own; the
# dialog looks for games, so the whole test runs in a network of its own).
reachesDialog() {
  xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c '
    "$1" "C:\\Program Files\\Voranis\\voranis.exe" >> "$2/wine.log" 2>&1 &
    # Looked for afresh each time: --sync dies of an X error when Wine drops a window mid-search.
    found=1
    for _ in $(seq 300); do
      xdotool search --name "Voranis NetSetup" > /dev/null 2>&1 && { found=0; break; }
      sleep 0.2
    done
    "$3" -k
    exit $found' bash "$wine" "$work" "$wineserver"
}
check "the installed game reaches its set-up dialog" reachesDialog

roaming="$(find "$WINEPREFIX/drive_c/users" -maxdepth 3 -path '*/AppData/Roaming' | grep -v Public | head -1)"
mkdir -p "$roaming/Voranis"
echo "name = player" > "$roaming/Voranis/settings.txt"
wineRun "C:\\Program Files\\Voranis\\uninstall.exe" /S
"$wineserver" -w
check "the game folder is gone" test ! -e "$installed"
check "the Start-menu folder is gone" test ! -e "$menu"
check "the installed programs entry is gone" noKey
check "the player's settings stay" test -f "$roaming/Voranis/settings.txt"

unzip -l "$work/out/voranis-0.0.1-win64.zip" > "$work/zip.txt" 2>&1
listed() { grep -q " voranis-0.0.1/$1\$" "$work/zip.txt"; }
for file in voranis.exe voranis-bot.exe voranis-server.exe; do
  check "the portable zip holds $file" listed "$file"
done
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
