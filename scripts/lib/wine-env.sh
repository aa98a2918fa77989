# Sourced by the scripts: the project's own Wine prefix, inside the build tree.
# shellcheck shell=bash
DOCK_ROOT=${DOCK_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
export WINEPREFIX="${DOCK_WINEPREFIX:-$DOCK_ROOT/build/wineprefix}"
export WINEDEBUG=-all
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="

# Starts the prefix's services once, outside ctest, so that no test's wine becomes the first
# Wine process (its background processes would hold ctest's output pipe).
wine_services_start() {
  wineserver -p >/dev/null 2>&1 || true
  wine wineboot >/dev/null 2>&1 </dev/null || true
}

wine_services_stop() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}
