#!/usr/bin/env bash
# The installed program used by a standard user, who may not write in the install folder. Wine
# runs as root here, and root may write anywhere, so the program runs as the Unix user
# wordmere-user (made by scripts/setup.sh --tests) in a prefix of that user's own, with the install
# folder owned by root. The user adds a word (installer_test's standard-user case): it lands in
# %APPDATA%\Wordmere. The administrator's silent uninstall then removes the program and leaves
# the word.
#   standard_user.sh INSTALLER_TEST_EXE SETUP_EXE
# Exit status 77 (a skip for CTest) when the user or root rights are missing.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
test_exe=$(realpath "$1")
setup_exe=$(realpath "$2")
user=wordmere-user
if [ "$(id -u)" -ne 0 ] || ! id -u "$user" >/dev/null 2>&1; then
    echo "standard_user: needs root and the user $user (scripts/setup.sh --tests makes it)"
    exit 77
fi

work=$(mktemp -d /tmp/wordmere_standard_user.XXXXXX)
prefix="$work/prefix"
as_user() {
    runuser -u "$user" -- env HOME="$(getent passwd "$user" | cut -d: -f6)" WINEPREFIX="$prefix" \
        WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY="${DISPLAY:-}" "$@"
}
cleanup() {
    as_user wineserver -k 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

"$root/scripts/wine_prefix.sh"
cp -a "${WORDMERE_WINEPREFIX:-$root/build/wineprefix}" "$prefix"
# The copied prefix names the server of the prefix it came from, which this user may not enter.
rm -f "$prefix/wineserver" "$prefix.lock"
chown -R "$user:" "$work"
chmod 755 "$work"
# A program that crashes ends at once instead of waiting in a debugger.
as_user wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Debugger /d no-debugger /f </dev/null >/dev/null 2>&1

failures=0
check() {  # check DESCRIPTION COMMAND...
    if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

as_user wine "$setup_exe" /S </dev/null >/dev/null 2>&1
install="$prefix/drive_c/Program Files/Wordmere"
check "the silent install puts the program in Program Files" test -f "$install/wordmere.exe"
# No tip of the day: it would take the word box's focus at the first start.
sed -i 's/^ShowTips=1\r$/ShowTips=0\r/' "$install/vbrtexts.res"
# As an administrator's install leaves it: the folder and its files are not the user's.
chown -R root:root "$install"
chmod -R u=rwX,go=rX "$install"

as_user env WORDMERE_STANDARD_USER=1 wine "$test_exe" \
    --gtest_filter='InstallerTest.StandardUsersWordsGoToTheApplicationData' </dev/null
check "the standard user's word goes to the application data and is found" test $? -eq 0

words="$prefix/drive_c/users/$user/AppData/Roaming/Wordmere/GRENG.usr"
check "the word is in %APPDATA%\\Wordmere\\GRENG.usr" test "$(stat -c %s "$words" 2>/dev/null)" = 130
check "no user dictionary in the install folder" test ! -e "$install/GRENG.usr"

# The administrator removes the program: the uninstaller copies itself away and returns at once,
# and removes its own folder last.
chown -R "$user:" "$install"
as_user wine "$install/Uninstall.exe" /S </dev/null >/dev/null 2>&1
for _ in $(seq 150); do [ -e "$install/Uninstall.exe" ] || break; sleep 0.2; done
check "the silent uninstall removes the program" test ! -e "$install/wordmere.exe"
check "the silent uninstall removes the uninstaller" test ! -e "$install/Uninstall.exe"
check "the user's words stay after the uninstall" test "$(stat -c %s "$words" 2>/dev/null)" = 130

echo "$failures failure(s)"
exit $((failures > 0))
