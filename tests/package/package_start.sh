#!/usr/bin/env bash
# Unpacks the package into a scratch root with dpkg -x and starts the program
# it holds, offscreen, on a workstation whose connection names this one and no
# server: it must make its database on the embedded engine, connect, and then
# record itself for the start of the session with its own path.
#   package_start.sh <package>
set -euo pipefail
deb=$1
scratch=$(mktemp -d)
pid=
cleanup() {
  [[ -n "$pid" ]] && kill -KILL "$pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

dpkg -x "$deb" "$scratch/sys"
program=$scratch/sys/usr/bin/velmora
[[ -x "$program" ]] || { echo "FAIL: no program in the package" >&2; exit 1; }

# A port where nothing answers: the workstation falls back to the embedded engine.
port=
for candidate in $(seq 39151 39250); do
  if ! timeout 1 bash -c "exec 3<>/dev/tcp/127.0.0.1/$candidate" 2>/dev/null; then
    port=$candidate
    break
  fi
done
[[ -n "$port" ]] || { echo "FAIL: no free port" >&2; exit 1; }

root=$scratch/root
mkdir -p "$root/Velmora/Sys" "$scratch/config" "$scratch/runtime"
chmod 700 "$scratch/runtime"
echo "localhost/$port:$root/Velmora/Database/Velmora.FDB" >"$root/Velmora/Sys/velmora.cnt"

env QT_QPA_PLATFORM=offscreen VELMORA_ROOT="$root" XDG_CONFIG_HOME="$scratch/config" \
    XDG_RUNTIME_DIR="$scratch/runtime" "$program" >"$scratch/out.log" 2>&1 &
pid=$!

entry=$scratch/config/autostart/Velmora.desktop
for ((i = 0; i < 240; i++)); do
  [[ -f "$entry" ]] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.25
done
if [[ ! -f "$entry" ]]; then
  cat "$scratch/out.log" >&2
  echo "FAIL: the program did not connect (no autostart entry)" >&2
  exit 1
fi
[[ -f "$root/Velmora/Database/Velmora.FDB" ]] || { echo "FAIL: no database made" >&2; exit 1; }
[[ -f "$root/Velmora/Allarme/Allarme.wav" ]] || { echo "FAIL: no alarm sound put in place" >&2; exit 1; }
exec_line=$(grep '^Exec=' "$entry")
[[ "$exec_line" == "Exec=$program" ]] || { echo "FAIL: autostart $exec_line, expected Exec=$program" >&2; exit 1; }

kill -TERM "$pid"
code=0
wait "$pid" || code=$?
pid=
((code == 0)) || { cat "$scratch/out.log" >&2; echo "FAIL: the program ended with $code" >&2; exit 1; }
echo "package start ok: $program connected and ended cleanly"
