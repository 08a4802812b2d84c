#!/usr/bin/env bash
# Builds Brisklane and starts it on the embedded demo server. On the first run
# it generates the demo server into the application folder and, when there is
# no model.profile yet, writes one whose default profile points at it.
set -euo pipefail
cd "$(dirname "$0")"

# The system packages first, xvfb among them: without a display the advice
# below names xvfb-run, which must be there on a fresh machine too.
scripts/bootstrap

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display found (DISPLAY and WAYLAND_DISPLAY are empty)."
  echo "Brisklane is a desktop program. To run it under a virtual display:"
  echo "    xvfb-run -a ./run.sh"
  exit 1
fi

scripts/build

# The application folder: BRISKLANE_HOME, else the executable's folder.
home="${BRISKLANE_HOME:-$PWD/build/src}"
mkdir -p "$home/config"
home="$(cd "$home" && pwd)"
server="$home/demo-server"

if ! ls "$server"/*.sqlite >/dev/null 2>&1; then
  echo "run.sh: generating the demo server in $server"
  build/tools/demo-model --out "$server" >/dev/null
fi

cp config/whatsnew.txt "$home/config/whatsnew.txt"

profile="$home/config/model.profile"
if [ ! -f "$profile" ]; then
  # The source model is the one the demo also ships a "<name>_Target" copy of.
  target="$(cd "$server" && ls -- *_Target.sqlite | head -n 1)"
  model="${target%_Target.sqlite}"
  printf 'Demo|%s|demo|demo|%s|N|Y\r\n' "$server" "$model" > "$profile"
  echo "run.sh: wrote $profile (default profile \"Demo\", model $model)"
fi

exec build/src/brisklane "$@"
