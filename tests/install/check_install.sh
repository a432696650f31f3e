#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a user's desktop and man will
# read there: the desktop entry, the AppStream metadata, the icon and the man pages.
# Usage: check_install.sh CMAKE BUILD_DIR
set -uo pipefail
cmake=$1
build=$2

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
for tool in desktop-file-validate appstreamcli man xmllint; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (tools/install-deps installs it)" >&2; exit 1; }
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
if ! "$cmake" --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
  cat "$prefix.log" >&2
  rm -f "$prefix.log"
  echo "FAIL: cmake --install into $prefix" >&2
  exit 1
fi
rm -f "$prefix.log"

desktop=$prefix/share/applications/quorvex.desktop
metainfo=$prefix/share/metainfo/org.dunar.QuorvexConverter.metainfo.xml
icon=$prefix/share/icons/hicolor/scalable/apps/quorvex.svg
cli_page=$prefix/share/man/man1/quorvex-cli.1.gz
window_page=$prefix/share/man/man1/quorvex.1.gz

for program in quorvex quorvex-cli; do
  [[ -x $prefix/bin/$program ]] || fail "bin/$program is not installed as a program"
done
for file in "$desktop" "$metainfo" "$icon" "$cli_page" "$window_page"; do
  [[ -f $file ]] || fail "${file#"$prefix"/} is not installed"
done
((failures)) && exit 1

# The desktop entry: valid, in Development, starting the installed window without a file.
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects quorvex.desktop"
entry() { sed -n "s/^$1=//p" "$desktop"; }
[[ $(entry Exec) == quorvex ]] || fail "Exec is '$(entry Exec)', not the window without arguments"
[[ -x $prefix/bin/$(entry Exec) ]] || fail "Exec names no installed program"
[[ ";$(entry Categories)" == *";Development;"* ]] || fail "Categories lack Development"
[[ $(entry Icon) == "$(basename "$icon" .svg)" ]] || fail "Icon '$(entry Icon)' is not the installed icon"

# The icon is an SVG document.
xmllint --noout "$icon" || fail "the icon is not well-formed XML"
[[ $(xmllint --xpath 'local-name(/*)' "$icon") == svg ]] || fail "the icon is not an SVG image"

# The AppStream metadata: valid, launching the installed desktop entry.
appstreamcli validate --no-net "$metainfo" >"$prefix/validate.txt" 2>&1 ||
  { cat "$prefix/validate.txt" >&2; fail "appstreamcli validate rejects the metadata"; }
launchable=$(xmllint --xpath 'string(//launchable[@type="desktop-id"])' "$metainfo")
[[ $launchable == "$(basename "$desktop")" ]] || fail "the metadata launches '$launchable'"

# The man pages render without warnings.
render() { MANWIDTH=100 man --warnings -E UTF-8 -l "$1" 2>"$prefix/man-warnings.txt"; }
for page in "$cli_page" "$window_page"; do
  text=$(render "$page") || fail "man -l cannot render $(basename "$page")"
  [[ -s $prefix/man-warnings.txt ]] && { cat "$prefix/man-warnings.txt" >&2; fail "man warns about $(basename "$page")"; }
  [[ $text == *NAME* && $text == *DESCRIPTION* ]] || fail "$(basename "$page") renders without its sections"
done

# The quorvex-cli page documents every command the installed program offers, its exit
# statuses and the environment it reads.
cli_text=$(render "$cli_page")
commands=$("$prefix/bin/quorvex-cli" --help | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p')
[[ -n $commands ]] || fail "the installed quorvex-cli lists no commands"
section() { awk -v from="$1" -v to="$2" '$0 == from {on = 1; next} $0 == to {on = 0} on' <<<"$cli_text"; }
command_section=$(section COMMANDS "EXIT STATUS")
for command in $commands; do
  grep -qE "^ +$command( |$)" <<<"$command_section" || fail "the man page lacks the command '$command'"
done
status_section=$(section "EXIT STATUS" ENVIRONMENT)
for status in 0 1 2; do
  grep -qE "^ +$status( |$)" <<<"$status_section" || fail "the man page lacks exit status $status"
done
environment_section=$(section ENVIRONMENT FILES)
for variable in WINEPREFIX QUORVEX_REGISTRY_IMPORT QUORVEX_WINDOWS XDG_CONFIG_HOME; do
  grep -qE "^ +$variable$" <<<"$environment_section" || fail "the man page lacks $variable"
done

((failures)) && exit 1
echo "installed files check out in a temporary prefix"
