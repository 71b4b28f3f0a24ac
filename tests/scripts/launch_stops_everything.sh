#!/usr/bin/env bash
# The run command stops everything it started on every way out: the program closing by
# itself, Ctrl+C, the terminal closing, a kill. Stand-ins play the program and the server.
set -euo pipefail
launch=$(cd "$(dirname "$0")/../.." && pwd)/scripts/launch
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Job control: the launcher then receives Ctrl+C like a command started in a terminal.
set -m

# A port where nothing listens, so the launcher starts its server.
while port=$((20000 + RANDOM % 30000)); (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do :; done
echo "TONAPLY_SERVER_PORT:STRING=$port" >"$work/CMakeCache.txt"
cat >"$work/tonaply-server" <<STANDIN
#!/usr/bin/env bash
echo \$\$ >"$work/server.pid"
exec sleep 300
STANDIN
cat >"$work/tonaply" <<STANDIN
#!/usr/bin/env bash
# Ends by itself after \$1 seconds (the user closing it), or when asked to.
echo \$\$ >"$work/app.pid"
sleep "\${1:-300}" &
trap 'kill \$!; exit 0' TERM HUP
wait \$!
STANDIN
chmod +x "$work/tonaply-server" "$work/tonaply"

alive() { kill -0 "$(cat "$1")" 2>/dev/null; }
await() { # waits up to ten seconds for a file to appear
  for _ in $(seq 200); do [ -s "$1" ] && return 0; sleep 0.05; done
  return 1
}

failed=0
for way in close INT HUP TERM; do
  rm -f "$work/server.pid" "$work/app.pid"
  seconds=300
  [ "$way" = close ] && seconds=1
  TONAPLY_BUILD_DIR=$work "$launch" "$seconds" >/dev/null 2>&1 &
  launcher=$!
  await "$work/server.pid" && await "$work/app.pid" || { echo "FAIL $way: nothing started"; failed=1; continue; }
  [ "$way" != close ] && kill -"$way" "$launcher"
  if ! timeout 20 tail --pid="$launcher" -s 0.05 -f /dev/null; then
    echo "FAIL $way: the run command did not end"; failed=1; continue
  fi
  for who in app server; do
    if alive "$work/$who.pid"; then
      echo "FAIL $way: the $who was left running"; failed=1
      kill -KILL "$(cat "$work/$who.pid")" 2>/dev/null || true
    fi
  done
  [ "$failed" = 0 ] && echo "PASS $way"
done
exit "$failed"
